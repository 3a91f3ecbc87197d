// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A review: one judged word answer, kept as the facts of the moment and
// the grade it counts as. A card is one word of one word database in one
// direction. This is the one place that says what a review holds and how
// an answer is graded; the history, the CSVs, the memory and the charts
// all take it from here.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/LargeTable.h"

namespace kelvora {

// 1 Again, 2 Hard, 3 Good, 4 Easy.
enum Grade : std::uint8_t { kAgain = 1, kHard = 2, kGood = 3, kEasy = 4 };

// The grade an answer counts as: wrong or timed out is Again, right is
// Good. Graded once, when the answer is judged, and stored with it, so a
// later rule never changes what was kept.
inline Grade GradeOf(bool right, bool timedOut) { return right && !timedOut ? kGood : kAgain; }

// An answer time not measured (a review kept before answer times were).
inline constexpr std::int32_t kNoResponseTime = -1;

// A judged word answer of this session, as "END" keeps it.
struct Review {
    std::string word;          // the headword's key (HeadwordKey)
    int direction = 0;         // 0 English to Japanese, 1 Japanese to English
    std::int64_t at = 0;       // Unix time, seconds
    bool right = false;
    bool timedOut = false;
    int secondsLeft = 0;
    double mode = 0;
    std::uint8_t grade = kAgain;
    // Milliseconds from the question on the screen to the answer (to the
    // end of its countdown, when timed out).
    std::int32_t responseMs = kNoResponseTime;
    // The headword key of the choice picked: the word itself when right,
    // the word whose choice was picked when wrong, empty when timed out.
    std::string chosen;
    bool operator==(const Review&) const = default;
};

// The review log as the history gives it back: the cards, and their
// reviews grouped by card, each card's in the order they were made (see
// GroupByCardAsMade).
struct ReviewLog {
    struct Card {
        std::string database;
        std::string word;
        int direction = 0;
        bool operator==(const Card&) const = default;
    };
    struct Event {
        std::uint32_t card = 0;  // index into cards
        std::int64_t at = 0;
        std::uint8_t grade = 0;  // a Grade
        std::int32_t secondsLeft = 0;
        // The session that gave it; kImported for a review read from a
        // file, kNotYetKept for one not in the history yet (this session's,
        // or a session waiting to go in).
        std::int64_t session = 0;
        // Read only with the details: the answer time, and the choice
        // picked as an index into `chosen` (kNoChoice: none, or not read).
        std::int32_t responseMs = kNoResponseTime;
        std::int32_t choice = kNoChoice;
        bool operator==(const Event&) const = default;
    };
    // A long history's events run to tens of megabytes: kept in storage
    // for large tables.
    using Events = std::vector<Event, LargeTableAllocator<Event>>;
    std::vector<Card> cards;
    Events events;
    std::vector<std::string> chosen;  // the headword keys picked
    static constexpr std::int32_t kNoChoice = -1;
    static constexpr std::int64_t kImported = 0;
    static constexpr std::int64_t kNotYetKept = -1;
};

// Groups the events by card, each card's in the order the learner made
// them: a session's reviews in the order the sessions were kept (the order
// the events come in), so a clock set back between two sessions never
// moves a later answer before an earlier one; imported reviews, which come
// from elsewhere in any order, by their time among them (a kept review
// counts as no earlier than the card's review before it).
void GroupByCardAsMade(ReviewLog& log);

// Calls visit(card, begin, end) for each card of the log with the range of
// its events, [begin, end).
template <class Visit>
void ForEachCard(const ReviewLog& log, Visit visit) {
    std::size_t i = 0;
    while (i < log.events.size()) {
        const std::size_t begin = i;
        const std::uint32_t card = log.events[i].card;
        while (i < log.events.size() && log.events[i].card == card) ++i;
        visit(card, begin, i);
    }
}

// The log with a session's reviews of `database` added after the kept ones
// (this session's reach the history only at "END"; so do sessions waiting
// to go in).
void AddSessionReviews(ReviewLog& log, const std::string& database, const std::vector<Review>& reviews);

// A card of the history that a save of the word editor renames: its
// reviews go with it. A deleted word's go to a name no headword can have.
struct CardRename {
    std::string from;
    std::string to;
    bool operator==(const CardRename&) const = default;
};

// Whether a card's word is a name no headword can have: the reviews of a
// word deleted in the word editor, kept apart, never due again.
inline bool SetAside(const std::string& word) { return !word.empty() && word[0] == '|'; }

// A review read from a CSV file, for one word database.
struct ImportedReview {
    std::string word;
    int direction = 0;
    std::int64_t at = 0;
    int grade = 0;  // 1 to 4
    int secondsLeft = 0;
    std::int32_t responseMs = kNoResponseTime;
    std::string chosen;
    int line = 0;   // in the file
};

}  // namespace kelvora
