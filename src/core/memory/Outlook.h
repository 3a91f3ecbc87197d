// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the review log says about the days around today: how many words
// fall due on each of the coming days, and how many the learner would have
// recalled on each day so far.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "memory/Cards.h"
#include "model/Progress.h"
#include "review/Review.h"

namespace kelvora {

// word,direction,reviews,lapses,last_review_unix,stability,difficulty,
// retrievability,interval_days,due: one row per card with a review, sorted
// by the word's bytes, then direction; retrievability as of `asOf` over
// whole learning days, `due` the learning day it is due.
std::string DueCsv(const ReviewLog& log, const MemorySettings& settings, std::int64_t asOf);

// The questions of each learning day with any: the log's reviews (right
// when graded above Again) and the sessions' test questions.
std::vector<DayQuestions> QuestionsPerDay(const ReviewLog& log, const std::vector<SessionRecord>& sessions);

// The log of one word database alone.
ReviewLog OnlyDatabase(const ReviewLog& log, const std::string& database);

// Cards due on each learning day from today on; overdue ones count today.
std::array<int, kForecastDays> DueForecast(const ReviewLog& log, const MemorySettings& settings, std::int64_t today);

// The sum of retrievability over the cards reviewed by then, by direction,
// on days from the first review to today: every day, or evenly spaced days
// where there are more than `points`.
std::vector<RecallPoint> RecallOverTime(const ReviewLog& log, const fsrs::Parameters& w, std::int64_t today,
                                        int points = 120);

}  // namespace kelvora
