// SPDX-License-Identifier: GPL-3.0-or-later
// The fix-patch merge, at start-up and from the setup dialog.
#include "FuzzHarness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    fuzz::WriteStandardFiles();
    fuzz::Write("efix.txt", fuzz::Bytes(data, size));
    // Half the time the table lacks its end record.
    if (size && data[0] % 2) fuzz::Write("eword.txt", "aword,a\r\nbword,b\r\nmword,m\r\n");
    fuzz::StartedProgram run;
    Program& p = run.p;
    if (run.loaded) fuzz::Survive([&] { form3::Command3_Click(p); });
    return 0;
}
