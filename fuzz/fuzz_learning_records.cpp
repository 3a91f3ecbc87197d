// SPDX-License-Identifier: GPL-3.0-or-later
// Both learning-record readers, then a run and "END" writing them back.
#include "FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    const std::string bytes = fuzz::Bytes(data, size);
    const std::size_t cut = bytes.find('\x01');
    fuzz::WriteStandardFiles(size && data[0] % 2 ? 4 : 2);
    fuzz::Write("eword.dat", bytes.substr(0, cut));
    fuzz::Write("ptest.dat", cut == std::string::npos ? bytes : bytes.substr(cut + 1));
    fuzz::StartedProgram run;
    Program& p = run.p;
    if (run.loaded) {
        fuzz::Survive([&] { form1::Command9_Click(p); });
        fuzz::Survive([&] { fuzz::Drill(p, data, size); });
        fuzz::Survive([&] { form1::Command5_Click(p); });
    }
    return 0;
}
