// SPDX-License-Identifier: GPL-3.0-or-later
// The test database: loaded with its checks, then its questions shown
// (choice-line split, sentence printing, commentary) and judged.
#include "FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    fuzz::WriteStandardFiles(size && data[0] % 2 ? 11 : 10, -1);
    fuzz::Write("ptest.txt", fuzz::Bytes(data, size));
    fuzz::StartedProgram run;
    Program& p = run.p;
    if (run.loaded) fuzz::Survive([&] { fuzz::Drill(p, data, size); });
    return 0;
}
