// SPDX-License-Identifier: GPL-3.0-or-later
// The training list, read on the first mode-4 question, then drilled and
// reported by "Stop".
#include "FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    fuzz::WriteStandardFiles(4);
    fuzz::Write("etrain.txt", fuzz::Bytes(data, size));
    fuzz::StartedProgram run;
    Program& p = run.p;
    if (run.loaded) {
        p.Form3.Check2.value = 0;
        fuzz::Survive([&] { fuzz::Drill(p, data, size); });
        fuzz::Survive([&] { form1::Command6_Click(p); });
    }
    return 0;
}
