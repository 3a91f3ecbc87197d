// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "Program.h"

namespace kelvora {

// Judges the question on screen against ChosenAnswer: record, counters,
// verdict marks and drawing, the beep and the pause before the next one.
void JudgeAnswer(Program& p);

// The answer buttons A to D (positions 0 to 3); only while a question waits.
void ChooseAnswer(Program& p, int position);

// "Continue": a held commentary goes away and the pause ends at the next
// tick.
void ContinueAfterComment(Program& p);

inline constexpr int kRed = 255;

}  // namespace kelvora
