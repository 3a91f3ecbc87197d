// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file, read at start-up and by the dialog's "Quit", and
// written back by "Save ".
#include "FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    fuzz::WriteStandardFiles();
    fuzz::Write("qbx.txt", fuzz::Bytes(data, size));
    fuzz::StartedProgram run;
    Program& p = run.p;
    if (run.loaded) {
        fuzz::Survive([&] { form3::Command2_Click(p); });
        fuzz::Survive([&] { form3::Command1_Click(p); });
    }
    return 0;
}
