// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/Numbers.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace kelvora {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the number at the start of s (after an optional sign), 0 when
// no digit follows.
std::size_t NumberPrefix(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t expDigits = 0;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j, ++expDigits;
        if (expDigits > 0) i = j;
    }
    return i;
}

double ToDouble(std::string_view s) {
    // Plain whole numbers, by far the most common (every counter), skip the
    // library's conversion.
    std::size_t i = 0;
    const bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '-' || s[0] == '+')) ++i;
    if (s.size() - i <= 15) {
        long long v = 0;
        std::size_t j = i;
        while (j < s.size() && s[j] >= '0' && s[j] <= '9') v = v * 10 + (s[j++] - '0');
        if (j == s.size() && j > i) return negative ? -static_cast<double>(v) : static_cast<double>(v);
    }
    char buf[64];
    if (s.size() < sizeof buf) {
        std::memcpy(buf, s.data(), s.size());
        buf[s.size()] = '\0';
        return std::strtod(buf, nullptr);
    }
    const std::string copy(s);
    return std::strtod(copy.c_str(), nullptr);
}

}  // namespace

std::string NumText(double v) {
    if (v == 0 || std::isnan(v)) return " 0";
    const bool negative = v < 0;
    const double a = std::fabs(v);
    std::string digits;
    int exponent = 0;  // value = 0.d1d2d3... * 10^(exponent)
    if (std::isinf(a)) return negative ? "-inf" : " inf";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", a);  // d.dddddddddddddde±XX: 15 significant digits
    for (const char* p = buf; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits += *p;
    exponent = std::atoi(std::strchr(buf, 'e') + 1) + 1;
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    std::string body;
    if (exponent <= 0) {
        body = "." + std::string(static_cast<std::size_t>(-exponent), '0') + digits;
    } else if (static_cast<std::size_t>(exponent) >= digits.size()) {
        body = digits + std::string(static_cast<std::size_t>(exponent) - digits.size(), '0');
    } else {
        body = digits.substr(0, static_cast<std::size_t>(exponent)) + "." +
               digits.substr(static_cast<std::size_t>(exponent));
    }
    return (negative ? "-" : " ") + body;
}

double Val(std::string_view text) {
    // The quick path, taken by every counter read at each question: blanks,
    // a sign and up to 15 digits, and nothing after that could continue a
    // number.
    {
        const char* p = text.data();
        const char* const end = p + text.size();
        while (p < end && IsBlank(*p)) ++p;
        bool negative = false;
        if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
        const char* const digits = p;
        long long v = 0;
        while (p < end && static_cast<unsigned>(*p - '0') < 10 && p - digits < 15) v = v * 10 + (*p++ - '0');
        if (p == end || (*p != '.' && *p != 'e' && *p != 'E' && static_cast<unsigned>(*p - '0') >= 10)) {
            if (p == digits) return 0;
            return negative ? -static_cast<double>(v) : static_cast<double>(v);
        }
    }
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    const std::string_view rest = text.substr(i);
    const std::size_t n = NumberPrefix(rest);
    return n == 0 ? 0.0 : ToDouble(rest.substr(0, n));
}

std::optional<double> ParseNumber(std::string_view field) {
    std::size_t b = 0, e = field.size();
    while (b < e && IsBlank(field[b])) ++b;
    while (e > b && IsBlank(field[e - 1])) --e;
    const std::string_view core = field.substr(b, e - b);
    if (core.empty()) return std::nullopt;
    const std::size_t n = NumberPrefix(core);
    if (n != core.size()) return std::nullopt;
    return ToDouble(core);
}

std::string Thousands(long long n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(static_cast<std::size_t>(i), ",");
    return (n < 0 ? "-" : "") + digits;
}

}  // namespace kelvora
