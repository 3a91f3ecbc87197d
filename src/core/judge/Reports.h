// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "Program.h"

namespace kelvora {

// "CHK": the word or test record's statistics in the comment window, which
// comes to the front.
void ShowStatistics(Program& p);

// "Stop": pauses a run with the mode report (the legend of the modes, and
// in mode 4 the training list's rates), or resumes it.
void PauseOrResume(Program& p);

// Today's spread of word scores, by direction: how many words of the bank
// fall in each of kScoreBuckets (new: never asked in that direction; a
// score of 0 or less; from 1, 10, 30 and 100 up).
inline constexpr const char* kScoreBuckets[6] = {"new", "≤ 0", "1+", "10+", "30+", "100+"};
std::array<std::array<int, 6>, 2> ScoreSpread(const Program& p);

// After every fortieth judged test-mode question: counts, rates and the
// estimated score, then the "continue" box.
void ShowTestReport(Program& p);

// The estimated score from the correct rate in thousandths and the speed
// figure (0 to 150), for the time limit in force.
double EstimateScore(double rate, double speed, int timeLimit);

// A rate as the reports write it: the first five characters of its number
// text.
std::string Percent(double value);

// Appends a line to a report: CR LF, then the text.
void AppendLine(std::string& report, const std::string& line);

}  // namespace kelvora
