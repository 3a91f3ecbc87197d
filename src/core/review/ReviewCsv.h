// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The review log as CSV, for a spreadsheet and for checking, and reviews
// read back from such a file.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "review/Review.h"

namespace kelvora {

// "en-ja" or "ja-en".
const char* DirectionName(int direction);

// word,direction,unix_seconds,grade,seconds_left,session,response_ms,
// chosen: every review of the log in time order; imported reviews have no
// session, reviews kept before answer times were have no response_ms, a
// timed-out one no choice. A log read without its details has neither.
std::string ReviewsCsv(const ReviewLog& log);

struct ReadReviews {
    std::vector<ImportedReview> rows;
    std::vector<std::pair<int, std::string>> notInBank;  // line, word: skipped
    // The bad line, said for the learner ("line 3: ..."), or when there are
    // several, every one ("has 4 bad lines:", then a line each, the first
    // 20 and how many more); nothing is to be imported then.
    std::string error;
};

// Reads the columns of ReviewsCsv, or the first six alone (as Kelvora
// wrote them before answer times), a header line first; `inBank` says
// whether a word is in the word database. A bad number, direction or
// grade, a time after `now` or a wrong number of fields is an error with
// its line.
ReadReviews ParseReviewsCsv(const std::string& text, const std::function<bool(const std::string&)>& inBank,
                            std::int64_t now);

}  // namespace kelvora
