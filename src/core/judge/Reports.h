// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <string>

#include "Program.h"
#include "model/Progress.h"

namespace kelvora {

// "CHK": the word or test record's statistics in the comment window, which
// comes to the front.
void ShowStatistics(Program& p);

// "Stop": pauses a run with the mode report (the legend of the modes, and
// in mode 4 the training list's rates), or resumes it.
void PauseOrResume(Program& p);

// Mode 4's line in that report: the training list's correct rates in both
// directions; a direction with no word asked yet has no rate and shows none.
std::string TrainingRatesLine(Program& p);

// Mode 5's line: the words due today, the new words today (of the daily
// limit) and the next day a word is due.
std::string DueWordsLine(Program& p);

// Today's spread of word scores, in the buckets of kScoreBuckets.
ScoreSpreadCounts ScoreSpread(const Program& p);

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
