// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The question modes, as the setup dialog's mode box holds them, and the
// one place that says what each kind of mode does.
namespace kelvora {

namespace Mode {
inline constexpr int Unasked = 1;         // rows never asked in the drawn direction
inline constexpr int Unanswered = 2;      // rows never answered right in the drawn direction
inline constexpr int UnaskedEither = 3;   // rows never asked in either direction
inline constexpr int Training = 4;        // the training list
inline constexpr int Drill = 10;          // test questions hold the commentary until "Continue"
inline constexpr int Exam = 11;           // test mode: a report with the score estimate every 40 questions
inline constexpr int InOrder = 20;        // every row in order, then the other direction
inline constexpr int InOrderUnasked = 21; // in order, walking past rows never asked
inline constexpr int StrideUnasked = 22;  // seven rows at a time, walking past rows never asked
}  // namespace Mode

// Word modes below 20 draw rows (and choices) from the whole bank at
// random; from 20 on they walk the bank and take choices near the question.
inline bool IsWalkMode(double mode) { return mode >= Mode::InOrder; }

// Which test questions a mode prefers: those never asked, those never
// answered right, or any.
enum class TestPreference { NeverAsked, NeverRight, Any };
inline TestPreference TestPreferenceOf(double mode) {
    if (mode == Mode::Unasked || mode == Mode::Exam || mode == Mode::UnaskedEither || mode == Mode::Training)
        return TestPreference::NeverAsked;
    if (mode == Mode::Unanswered || mode == Mode::Drill) return TestPreference::NeverRight;
    return TestPreference::Any;
}

inline bool IsExamMode(double mode) { return mode == Mode::Exam; }
inline bool IsDrillMode(double mode) { return mode == Mode::Drill; }

}  // namespace kelvora
