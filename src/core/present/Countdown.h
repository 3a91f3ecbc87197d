// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The answer countdown at the learner's pace. The countdown of record
// (Model::Countdown) keeps the usual seconds, so that scores, verdicts
// and reports count as they always have; at a slower pace it steps once
// every `scale` seconds, and the label shows the real seconds left. Without
// a time limit it steps once every ten seconds down to one, and never runs
// out: a slow right answer still scores, at the least.
#include "Program.h"

namespace kelvora {

// A question's countdown begins, at the pace the learner chose.
void StartCountdown(Program& p, int seconds);

// The label: the seconds left as the learner counts them, or "∞".
void ShowCountdown(Program& p);

// One second of the question on screen has passed: whether the countdown
// of record steps down by one now.
bool CountdownSteps(Program& p);

// Whether pace `a` is slower than pace `b` (none at all is the slowest).
bool SlowerPace(int a, int b);

}  // namespace kelvora
