// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the EDICT dictionary from any bytes.
#include "FuzzHarness.h"
#include "Import.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    const import::ReadResult read = import::ReadEdict(fuzz::Bytes(data, size), 50);
    if (read.entries.size() > 50) __builtin_trap();
    (void)import::BuildBank(read, "eword", false);
    return 0;
}
