#pragma once
#include <string>

#include "Program.h"

namespace kelvora {

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
