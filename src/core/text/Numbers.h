// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three number rules of the program's data.
#include <optional>
#include <string>
#include <string_view>

namespace kelvora {

// Number to text: a blank before 0 and positive values, a minus sign before
// negative ones; whole values without a point; others to 15 significant
// digits, never with an exponent, and without the 0 before the point when
// between -1 and 1 (" .5", "-.25").
std::string NumText(double v);

// The numeric value of a text: leading blanks skipped, then the longest
// number at the start (sign, digits, point, exponent); 0 when there is none.
double Val(std::string_view text);

// A field that must be a number, as the record and settings files hold
// them: blanks around it allowed, nothing else. Empty or anything else
// gives no value.
std::optional<double> ParseNumber(std::string_view field);

// A count with a comma between each three digits: "12,345".
std::string Thousands(long long n);

}  // namespace kelvora
