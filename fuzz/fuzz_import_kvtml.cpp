// SPDX-License-Identifier: GPL-3.0-or-later
// Importing KVTML: damaged XML is said, never a crash.
#include "FuzzHarness.h"
#include "Import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    const import::ReadResult read = import::ReadEntries(fuzz::Bytes(data, size), import::Format::Kvtml);
    if (read.error.empty()) (void)import::BuildBank(read, "eword", false);
    return 0;
}
