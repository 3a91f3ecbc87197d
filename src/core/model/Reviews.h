// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reviews: every judged word answer, kept as raw facts. A card is one word
// of one word database in one direction.
#include <cstdint>
#include <string>
#include <vector>

namespace kelvora {

// A judged word answer of this session, as "END" keeps it.
struct Review {
    std::string word;          // the headword's key (HeadwordKey)
    int direction = 0;         // 0 English to Japanese, 1 Japanese to English
    std::int64_t at = 0;       // Unix time, seconds
    bool right = false;
    bool timedOut = false;
    int secondsLeft = 0;
    double mode = 0;
    bool operator==(const Review&) const = default;
};

// The review log as the history gives it back: the cards, and their
// reviews grouped by card, each card's in time order.
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
        std::uint8_t grade = 0;  // 1 Again, 2 Hard, 3 Good, 4 Easy
        std::int32_t secondsLeft = 0;
        std::int64_t session = 0;  // the session that gave it; 0 for an imported review
        bool operator==(const Event&) const = default;
    };
    std::vector<Card> cards;
    std::vector<Event> events;
};

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

// A review read from a CSV file, for one word database.
struct ImportedReview {
    std::string word;
    int direction = 0;
    std::int64_t at = 0;
    int grade = 0;  // 1 to 4
    int secondsLeft = 0;
    int line = 0;   // in the file
};

// The grade a review counts as: wrong or timed out is Again, right is Good.
inline std::uint8_t GradeOf(bool right, bool timedOut) { return right && !timedOut ? 3 : 1; }

}  // namespace kelvora
