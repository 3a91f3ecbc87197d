// SPDX-License-Identifier: GPL-3.0-or-later
// The word database: loaded with its checks, then drilled in the mode the
// input's first byte picks.
#include "FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    static const int modes[] = {1, 2, 3, 4, 10, 11, 20, 21, 22, 55};
    fuzz::WriteStandardFiles(size ? modes[data[0] % 10] : 1);
    fuzz::Write("eword.txt", fuzz::Bytes(data, size));
    fuzz::StartedProgram run;
    Program& p = run.p;
    if (run.loaded) {
        p.Form3.Check2.value = 0;
        fuzz::Survive([&] { fuzz::Drill(p, data, size); });
    }
    return 0;
}
