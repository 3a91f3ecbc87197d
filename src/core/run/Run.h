// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A run of questions: "Start", the one-second heartbeat, and the next
// question.
#include "Program.h"

namespace kelvora {

// A new run: the counters of the run cleared, the generator seeded from the
// clock, the first question on screen.
void StartRun(Program& p);

// One second of the run: the countdown of a waiting question (judged as
// unanswered at 0), then the pause after the verdict, then the next one.
void Heartbeat(Program& p);

// The next question: a test question or a word question by the mode in
// the setup dialog's mode box.
void NextQuestion(Program& p);

}  // namespace kelvora
