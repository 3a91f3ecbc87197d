// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CSV as a spreadsheet reads it: a field with a comma, a quote or a line
// break in it is quoted, its quotes doubled; so is one that begins with
// "=", "+", "-" or "@", which a spreadsheet would otherwise run as a
// formula.
#include <string>
#include <vector>

namespace kelvora {

std::string CsvField(const std::string& s);

// One line's fields, quotes undone; a quoted field may hold commas and
// doubled quotes. False when a quote is left open.
bool SplitCsvLine(const std::string& line, std::vector<std::string>* fields);

}  // namespace kelvora
