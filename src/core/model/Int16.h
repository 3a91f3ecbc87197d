// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A signed 16-bit value that cannot leave -32768..32767 silently: every way
// of making one from a wider number checks the range and throws Overflow16.
#include <cstdint>
#include <stdexcept>

namespace kelvora {

struct Overflow16 : std::range_error {
    Overflow16() : std::range_error("value outside -32768..32767") {}
};

class Int16 {
public:
    constexpr Int16() = default;
    constexpr Int16(std::int16_t v) : v_(v) {}  // NOLINT: lossless

    // Whole numbers are taken as they are; others round half to even, the
    // rounding every number-to-integer conversion of the program uses.
    static Int16 FromNumber(double v);
    static Int16 FromWide(long long v);

    constexpr int value() const { return v_; }
    constexpr operator int() const { return v_; }  // NOLINT: reads freely

    Int16 operator+(int other) const { return FromWide(static_cast<long long>(v_) + other); }
    Int16 operator-(int other) const { return FromWide(static_cast<long long>(v_) - other); }
    Int16& operator+=(int other) { return *this = *this + other; }
    Int16& operator-=(int other) { return *this = *this - other; }

private:
    std::int16_t v_ = 0;
};

}  // namespace kelvora
