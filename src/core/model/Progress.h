// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Progress window's charts show.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Session.h"

namespace kelvora {

// Today's spread of word scores, by direction: how many words of the bank
// fall in each bucket (new: never asked in that direction; a score of 0 or
// less; from 1, 10, 30 and 100 up).
inline constexpr std::array<const char*, 6> kScoreBuckets = {"new", "≤ 0", "1+", "10+", "30+", "100+"};
using ScoreSpreadCounts = std::array<std::array<int, 6>, 2>;

// How many words the learner would recall on a learning day: the sum of
// retrievability over the words reviewed by then, by direction.
struct RecallPoint {
    std::int64_t day;  // learning day
    double sum[2];
};

inline constexpr int kForecastDays = 30;

// The questions judged on a learning day: every review (a word question),
// and the test questions of the sessions that ended on it.
struct DayQuestions {
    std::int64_t day;
    int asked = 0;
    int right = 0;
    bool operator==(const DayQuestions&) const = default;
};

struct ProgressData {
    std::vector<SessionRecord> sessions;  // oldest first
    std::vector<DayQuestions> questionsPerDay;  // the days with any, in order
    // Why the history cannot be read, for the learner; empty when it can.
    std::string historyProblem;
    ScoreSpreadCounts spread{};
    // The loaded word database's memory: the words due on each of the next
    // 30 learning days (today first, overdue ones with it), and what the
    // learner would have recalled on the days so far.
    std::int64_t today = 0;  // learning day
    std::array<int, kForecastDays> dueForecast{};
    std::vector<RecallPoint> recall;
};

}  // namespace kelvora
