// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A learner made of numbers, for the tests and the benchmarks: a memory
// that follows the model with parameters of its own, reviewing cards when
// a scheduler (at some retention, with some jitter) says so and
// recalling each with the probability the true memory gives.
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

#include "memory/Fsrs.h"
#include "review/Review.h"

namespace kelvora::support {

// The learner's own memory: not the defaults, so a fit has something to
// find.
inline constexpr fsrs::Parameters kLearnerParameters = {
    0.6, 1.9, 4.1, 12.0, 5.6, 1.1, 2.2, 0.02, 1.5, 0.12, 1.1,
    1.9, 0.08, 0.35, 1.2, 0.5, 2.2, 0.4, 0.2, 0.1, 0.3,
};

struct LearnerShape {
    int cards = 1000;            // words in both directions count as two
    int reviewsPerCard = 10;
    std::uint64_t seed = 1;
    std::int64_t start = 1'767'225'600;  // 2026-01-01 00:00 UTC
    std::string database = "eword";
    fsrs::Parameters memory = kLearnerParameters;
    // A learner who looks at every word at least once a month: 25 reviews
    // span two years or so, not centuries.
    int longestInterval = 30;
    // The word of card c (its direction is c % 2).
    std::string (*word)(int c) = [](int c) { return "w" + std::to_string(c / 2); };
};

// Each card starts on a day of its own and is reviewed at its scheduled
// interval (times 0.5 to 1.5, at most a month), at an hour of the evening;
// a lapse brings it back the next day, and one card in ten gets a second
// look the same day.
inline ReviewLog SyntheticLog(const LearnerShape& shape) {
    ReviewLog log;
    std::mt19937_64 random(shape.seed);
    std::uniform_real_distribution<double> uniform(0, 1);
    for (int c = 0; c < shape.cards; ++c) {
        log.cards.push_back({shape.database, shape.word(c), c % 2});
        std::int64_t day = static_cast<std::int64_t>(uniform(random) * 120);
        fsrs::MemoryState<double> truth{};
        std::int64_t lastDay = day, lastAt = 0;
        for (int r = 0; r < shape.reviewsPerCard; ++r) {
            int grade;
            if (r == 0) {
                grade = uniform(random) < 0.3 ? fsrs::Again : fsrs::Good;
                truth = fsrs::FirstState<double>(shape.memory, grade);
            } else {
                const double elapsed = static_cast<double>(day - lastDay);
                const double recall = fsrs::Retrievability(shape.memory, elapsed, truth.stability);
                grade = uniform(random) < recall ? fsrs::Good : fsrs::Again;
                truth = fsrs::NextState(shape.memory, truth, elapsed, grade);
            }
            const std::int64_t at = std::max(
                lastAt + 60, shape.start + day * 86400 + 18 * 3600 + static_cast<std::int64_t>(uniform(random) * 3600));
            lastAt = at;
            log.events.push_back({static_cast<std::uint32_t>(c), at, static_cast<std::uint8_t>(grade), 3, 1});
            lastDay = day;
            if (grade == fsrs::Again || uniform(random) < 0.1) {
                day += grade == fsrs::Again ? 1 : 0;
            } else {
                const double interval = fsrs::IntervalDays(shape.memory, truth.stability, 0.9) * (0.5 + uniform(random));
                day += std::clamp<std::int64_t>(static_cast<std::int64_t>(interval), 1, shape.longestInterval);
            }
        }
    }
    return log;
}

}  // namespace kelvora::support
