// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The FSRS-6 model of memory, from its published formulas: how likely a
// word is recalled after t days (retrievability R), how long its memory
// lasts (stability S, the days until R falls to 90 %) and how hard it is
// (difficulty D, 1 to 10), and how each review changes S and D.
//
// The formulas are templates over the number type: the scheduler runs them
// on doubles, the fitter on dual numbers that carry the derivatives by the
// 21 parameters (memory/Dual.h), so both use the one model.
#include <algorithm>
#include <array>
#include <cmath>

namespace kelvora::fsrs {

inline constexpr int kParameterCount = 21;
using Parameters = std::array<double, kParameterCount>;

// FSRS-6's published default parameters.
inline constexpr Parameters kDefaultParameters = {
    0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194, 0.001,  1.8722, 0.1666, 0.796,
    1.4835, 0.0614, 0.2629, 1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542,
};

inline constexpr double kMinStability = 0.001;
inline constexpr double kMaxStability = 36500;
inline constexpr double kMinDifficulty = 1;
inline constexpr double kMaxDifficulty = 10;
inline constexpr int kMaxIntervalDays = 36500;

// A review's grade. Kelvora's own answers are Again (wrong or timed out)
// or Good (right); Hard and Easy come only from imported reviews.
enum Grade { Again = 1, Hard = 2, Good = 3, Easy = 4 };

template <class T>
struct MemoryState {
    T stability;
    T difficulty;
};

// The parameters with what every review needs of them worked out once:
// replaying a long log runs the formulas a million times.
struct Prepared {
    Parameters w;
    double factor;          // of the forgetting curve
    double growth;          // e^w8
    double easyDifficulty;  // the difficulty of a first Easy
    double lapseDivisor;    // e^(w17 w18)
    Prepared(const Parameters& p)  // NOLINT: parameters are prepared where a formula needs them
        : w(p),
          factor(std::exp(std::log(0.9) / -p[20]) - 1.0),
          growth(std::exp(p[8])),
          easyDifficulty(p[4] - std::exp(p[5] * 3.0) + 1.0),
          lapseDivisor(std::exp(p[17] * p[18])) {}
    double operator[](std::size_t i) const { return w[i]; }
};

// Plain numbers and dual numbers alike: the value of a number.
inline double ValueOf(double x) { return x; }

// Clamped into [lo, hi]; a dual number keeps its derivatives inside the
// range (and on its edges) and loses them outside.
template <class T>
T Clamp(const T& x, double lo, double hi) {
    if (ValueOf(x) < lo) return T(lo);
    if (ValueOf(x) > hi) return T(hi);
    return x;
}

template <class W>
auto InitialDifficulty(const W& w, int grade) {
    using std::exp;
    return w[4] - exp(w[5] * static_cast<double>(grade - 1)) + 1.0;
}

// The constants of the formulas, from the parameters, or ready in
// Prepared ones.
template <class W>
auto CurveFactor(const W& w) {
    using std::exp;
    using std::log;
    return exp(log(0.9) / -w[20]) - 1.0;
}
inline double CurveFactor(const Prepared& p) { return p.factor; }
template <class W>
auto Growth(const W& w) {
    using std::exp;
    return exp(w[8]);
}
inline double Growth(const Prepared& p) { return p.growth; }
template <class W>
auto EasyDifficulty(const W& w) {
    return InitialDifficulty(w, 4);
}
inline double EasyDifficulty(const Prepared& p) { return p.easyDifficulty; }
template <class W>
auto LapseDivisor(const W& w) {
    using std::exp;
    return exp(w[17] * w[18]);
}
inline double LapseDivisor(const Prepared& p) { return p.lapseDivisor; }

// The forgetting curve: R(t, S) = (1 + f t / S)^-decay, with f chosen so
// that R(S, S) = 0.9.
template <class T, class W>
T Retrievability(const W& w, const T& elapsedDays, const T& stability) {
    using std::pow;
    return pow(elapsedDays / stability * CurveFactor(w) + 1.0, -w[20]);
}

// The state after a card's first review.
template <class T, class W>
MemoryState<T> FirstState(const W& w, int grade) {
    const int g = std::clamp(grade, 1, 4);
    return {Clamp(T(w[static_cast<std::size_t>(g - 1)]), kMinStability, kMaxStability),
            Clamp(T(InitialDifficulty(w, g)), kMinDifficulty, kMaxDifficulty)};
}

// The state after a later review, `elapsedDays` whole days after the one
// before; a second review on the same day uses the short-term formula.
template <class T, class W>
MemoryState<T> NextState(const W& w, const MemoryState<T>& state, double elapsedDays, int grade) {
    using std::exp;
    using std::pow;
    const T s = Clamp(state.stability, kMinStability, kMaxStability);
    const T d = Clamp(state.difficulty, kMinDifficulty, kMaxDifficulty);
    const double g = grade;
    T next;
    if (elapsedDays == 0) {
        const T increase = exp(w[17] * (g - 3.0 + w[18])) * pow(s, -w[19]);
        next = s * (grade >= Hard && ValueOf(increase) < 1 ? T(1.0) : increase);
    } else {
        const T r = Retrievability(w, T(elapsedDays), s);
        if (grade == Again) {
            const T lapse = w[11] * pow(d, -w[12]) * (pow(s + 1.0, w[13]) - 1.0) * exp((1.0 - r) * w[14]);
            // Never more than a day's short-term decline below the old
            // stability allows.
            const T floor = s / LapseDivisor(w);
            next = ValueOf(floor) < ValueOf(lapse) ? floor : lapse;
        } else {
            const T hard = grade == Hard ? T(w[15]) : T(1.0);
            const T easy = grade == Easy ? T(w[16]) : T(1.0);
            next = s * (Growth(w) * (11.0 - d) * pow(s, -w[9]) * (exp((1.0 - r) * w[10]) - 1.0) * hard * easy + 1.0);
        }
    }
    // Difficulty moves by the grade, less the nearer it is to 10, and
    // drifts back toward the difficulty of a first Easy.
    const T moved = d + (10.0 - d) * (-w[6] * (g - 3.0)) / 9.0;
    const T reverted = w[7] * (EasyDifficulty(w) - moved) + moved;
    return {Clamp(next, kMinStability, kMaxStability), Clamp(reverted, kMinDifficulty, kMaxDifficulty)};
}

// The days until R falls to `retention`, before rounding.
inline double ExactInterval(const Parameters& w, double stability, double retention) {
    const double decay = -w[20];
    const double factor = std::exp(std::log(0.9) / decay) - 1.0;
    return stability / factor * (std::pow(retention, 1.0 / decay) - 1.0);
}

// The interval for a desired retention, in whole days: rounded, at least
// 1 and at most 36,500; no random fuzz.
inline int IntervalDays(const Parameters& w, double stability, double retention) {
    const double days = std::round(ExactInterval(w, stability, retention));
    return static_cast<int>(std::clamp(days, 1.0, static_cast<double>(kMaxIntervalDays)));
}

// The bounds the fitter keeps each parameter in, as the published
// optimiser does.
inline constexpr std::array<std::pair<double, double>, kParameterCount> kParameterBounds = {{
    {kMinStability, 100}, {kMinStability, 100}, {kMinStability, 100}, {kMinStability, 100},
    {kMinDifficulty, kMaxDifficulty}, {0.001, 4.0}, {0.001, 4.0}, {0.001, 0.75}, {0.0, 4.5}, {0.0, 0.8},
    {0.001, 3.5}, {0.001, 5.0}, {0.001, 0.25}, {0.001, 0.9}, {0.0, 4.0}, {0.0, 1.0}, {1.0, 6.0},
    {0.0, 2.0}, {0.0, 2.0}, {0.01, 0.8}, {0.1, 0.8},
}};

}  // namespace kelvora::fsrs
