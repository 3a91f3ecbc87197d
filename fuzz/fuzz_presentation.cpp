// SPDX-License-Identifier: GPL-3.0-or-later
// The sentence printer, the sound-part splitter and the
// choice-line split, fed one test question built from the input.
#include "FuzzHarness.h"
#include "audio/Playback.h"
#include "present/QuestionText.h"
#include "present/TestQuestion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kelvora;
    const std::string bytes = fuzz::Bytes(data, size);
    fuzz::QuietHost host;
    fuzz::QuietPlayer player;
    Program p(host, player, fuzz::Scratch());
    DrawQuestionText(p, bytes);
    PlayPronunciation(p, bytes);
    // The input as a question line, then as a choice line.
    p.m.TestCount = 1;
    p.loadedTestDb = "ptest";
    p.m.TestLine[0] = bytes;
    p.m.TestLine[1] = "a,b,c,d,A";
    p.m.TestLine[2] = bytes;
    fuzz::Survive([&] { ShowTestQuestion(p); });
    p.m.TestLine[0] = "q|snd 1 1";
    p.m.TestLine[1] = bytes;
    fuzz::Survive([&] { ShowTestQuestion(p); });
    return 0;
}
