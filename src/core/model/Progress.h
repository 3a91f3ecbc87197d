// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the Progress window's charts show.
#include <array>
#include <string>
#include <vector>

#include "model/Session.h"

namespace kelvora {

// Today's spread of word scores, by direction: how many words of the bank
// fall in each bucket (new: never asked in that direction; a score of 0 or
// less; from 1, 10, 30 and 100 up).
inline constexpr std::array<const char*, 6> kScoreBuckets = {"new", "≤ 0", "1+", "10+", "30+", "100+"};
using ScoreSpreadCounts = std::array<std::array<int, 6>, 2>;

struct ProgressData {
    std::vector<SessionRecord> sessions;  // oldest first
    // Why the history cannot be read, for the learner; empty when it can.
    std::string historyProblem;
    ScoreSpreadCounts spread{};
};

}  // namespace kelvora
