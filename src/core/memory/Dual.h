// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A number with its derivatives by the model's 21 parameters (forward-mode
// automatic differentiation): the fitter runs the model's own formulas on
// these and reads the gradient of the loss off the result.
#include <array>
#include <cmath>

#include "memory/Fsrs.h"

namespace kelvora::fsrs {

struct Dual {
    double v = 0;
    std::array<double, kParameterCount> d{};

    Dual() = default;
    Dual(double value) : v(value) {}  // a constant: no derivatives
    // Parameter i itself.
    static Dual Parameter(double value, int i) {
        Dual x(value);
        x.d[static_cast<std::size_t>(i)] = 1;
        return x;
    }
};

inline double ValueOf(const Dual& x) { return x.v; }

// a * x + b * y, value and derivatives.
inline Dual Combine(double a, const Dual& x, double b, const Dual& y, double value) {
    Dual r(value);
    for (std::size_t i = 0; i < r.d.size(); ++i) r.d[i] = a * x.d[i] + b * y.d[i];
    return r;
}
inline Dual Scale(double a, const Dual& x, double value) {
    Dual r(value);
    for (std::size_t i = 0; i < r.d.size(); ++i) r.d[i] = a * x.d[i];
    return r;
}

inline Dual operator+(const Dual& x, const Dual& y) { return Combine(1, x, 1, y, x.v + y.v); }
inline Dual operator-(const Dual& x, const Dual& y) { return Combine(1, x, -1, y, x.v - y.v); }
inline Dual operator*(const Dual& x, const Dual& y) { return Combine(y.v, x, x.v, y, x.v * y.v); }
inline Dual operator/(const Dual& x, const Dual& y) {
    return Combine(1 / y.v, x, -x.v / (y.v * y.v), y, x.v / y.v);
}
inline Dual operator-(const Dual& x) { return Scale(-1, x, -x.v); }
inline Dual operator+(const Dual& x, double c) { return Scale(1, x, x.v + c); }
inline Dual operator+(double c, const Dual& x) { return Scale(1, x, x.v + c); }
inline Dual operator-(const Dual& x, double c) { return Scale(1, x, x.v - c); }
inline Dual operator-(double c, const Dual& x) { return Scale(-1, x, c - x.v); }
inline Dual operator*(const Dual& x, double c) { return Scale(c, x, x.v * c); }
inline Dual operator*(double c, const Dual& x) { return Scale(c, x, x.v * c); }
inline Dual operator/(const Dual& x, double c) { return Scale(1 / c, x, x.v / c); }
inline Dual operator/(double c, const Dual& x) { return Scale(-c / (x.v * x.v), x, c / x.v); }

inline Dual exp(const Dual& x) {
    const double e = std::exp(x.v);
    return Scale(e, x, e);
}
inline Dual log(const Dual& x) { return Scale(1 / x.v, x, std::log(x.v)); }
inline Dual pow(const Dual& x, double p) {
    const double v = std::pow(x.v, p);
    return Scale(p * std::pow(x.v, p - 1), x, v);
}
// x^y = e^(y ln x), for x > 0.
inline Dual pow(const Dual& x, const Dual& y) {
    const double v = std::pow(x.v, y.v);
    return Combine(y.v * std::pow(x.v, y.v - 1), x, v * std::log(x.v), y, v);
}

}  // namespace kelvora::fsrs
