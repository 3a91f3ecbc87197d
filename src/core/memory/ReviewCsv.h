// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The review log and the cards' memory as CSV, for a spreadsheet and for
// checking, and reviews read back from such a file.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "memory/Cards.h"
#include "model/Reviews.h"

namespace kelvora {

// "en-ja" or "ja-en".
const char* DirectionName(int direction);

// word,direction,unix_seconds,grade,seconds_left,session: every review of
// the log in time order; imported reviews have no session.
std::string ReviewsCsv(const ReviewLog& log);

// word,direction,reviews,lapses,last_review_unix,stability,difficulty,
// retrievability,interval_days,due: one row per card with a review, sorted
// by the word's bytes, then direction; retrievability as of `asOf` over
// whole learning days, `due` the learning day it is due.
std::string DueCsv(const ReviewLog& log, const MemorySettings& settings, std::int64_t asOf);

struct ReadReviews {
    std::vector<ImportedReview> rows;
    std::vector<std::pair<int, std::string>> notInBank;  // line, word: skipped
    std::string error;  // the first bad line, said for the learner; nothing is to be imported then
};

// Reads the columns of ReviewsCsv (a header line first); `inBank` says
// whether a word is in the word database. A bad number, direction or
// grade, a time after `now` or a wrong number of fields is an error with
// its line.
ReadReviews ParseReviewsCsv(const std::string& text, const std::function<bool(const std::string&)>& inBank,
                            std::int64_t now);

}  // namespace kelvora
