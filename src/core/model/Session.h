// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A session, from start-up to "END", as the history keeps it.
#include <cstdint>
#include <string>
#include <vector>

#include "review/Review.h"

namespace kelvora {

struct SessionRecord {
    std::int64_t started = 0;  // Unix time, seconds
    std::int64_t ended = 0;
    std::string wordDb, testDb;
    double mode = 0;
    // Questions judged (answered or timed out) and answered right.
    int wordAsked[2] = {0, 0};  // by direction: English to Japanese, Japanese to English
    int wordRight[2] = {0, 0};
    int testAsked = 0, testRight = 0;
    std::vector<double> estimates;  // the score estimates the test reports gave
    // The word bank at "END".
    int known[2] = {0, 0};  // words with a positive score, by direction
    int neverAsked = 0;     // words asked in neither direction
    // The slowest pace any question of the session was asked at: 1, 2, 5,
    // 10, or 0 for none without a time limit.
    int timeScale = 1;
    // Every word question judged, in order.
    std::vector<Review> reviews;
    bool operator==(const SessionRecord&) const = default;
};

}  // namespace kelvora
