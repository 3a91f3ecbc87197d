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
namespace detail {
double ValSlow(std::string_view text);
}
// Val's quick path, for the counters read at every question: blanks, a
// sign and up to 15 digits, and nothing after that could continue a number.
inline double ValFast(std::string_view text) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end && (*p == ' ' || *p == '\t')) ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    const char* const digits = p;
    long long v = 0;
    while (p < end && static_cast<unsigned>(*p - '0') < 10 && p - digits < 15) v = v * 10 + (*p++ - '0');
    if (p == end || (*p != '.' && *p != 'e' && *p != 'E' && static_cast<unsigned>(*p - '0') >= 10)) {
        if (p == digits) return 0;
        return negative ? -static_cast<double>(v) : static_cast<double>(v);
    }
    return detail::ValSlow(text);
}

// A field that must be a number, as the record and settings files hold
// them: blanks around it allowed, nothing else. Empty or anything else
// gives no value.
std::optional<double> ParseNumber(std::string_view field);

}  // namespace kelvora
