// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The cards of the loaded word bank, for mode 5 ("due words"): each word in
// each direction, its memory replayed from the review history and kept up
// to date with every answer judged since.
#include <cstdint>
#include <optional>
#include <queue>
#include <string>
#include <utility>
#include <vector>

#include "memory/Cards.h"
#include "model/Model.h"
#include "model/WordInfo.h"
#include "review/Review.h"
#include <functional>
#include <limits>
#include <memory>
#include <unordered_map>

namespace kelvora {

// The headword key (HeadwordKey) of each row of the loaded bank.
std::vector<std::string> HeadwordsOf(const Model& m);

// The headword key of a word database's end record.
inline constexpr const char* kEndRecordKey = "zzzzzzzz";

class Deck {
public:
    // The bank's cards from the history of its word database and this
    // session's own reviews (not in the history until "END").
    Deck(const Model& m, const std::string& database, const ReviewLog& log, const std::vector<Review>& session,
         const MemorySettings& settings);
    // The same from the bank's headword keys (HeadwordKey of each row's
    // word), so that it can be made away from the model.
    Deck(std::vector<std::string> headwords, const std::string& database, const ReviewLog& log,
         const std::vector<Review>& session, const MemorySettings& settings);

    // A word asked: (row, direction).
    using Pick = std::optional<std::pair<int, int>>;

    // What a memory mode's policy picks from (memory/Policy.h), as of
    // `now`: the card due today of lowest retrievability; a card never
    // reviewed, at random, while today's new cards stay under the daily
    // limit (or regardless of it, with `overLimit`); the reviewed card of
    // lowest retrievability today, due or not. Nothing when there is none.
    // `below(n)` draws a whole number from 0 to n - 1.
    Pick FirstDue(std::int64_t now);
    Pick NewCard(std::int64_t now, const std::function<int(int)>& below, bool overLimit = false);
    Pick Weakest(std::int64_t now);

    // How frequent each bank row's word is (1 the most frequent, 0 not
    // ranked): new cards then come most frequent first, each word in both
    // directions before the next; without ranks, at random.
    void SetRanks(std::vector<int> rankOfRow);

    // A judged answer to a word of the bank, in any mode.
    void Record(int row, int direction, int grade, std::int64_t at);
    // The same for a review of this session, by its headword key; a word
    // the bank lacks is passed over.
    void Record(const Review& review);

    struct Summary {
        int dueToday = 0;   // still due today
        int newToday = 0;   // cards first reviewed today
        int newLimit = 0;
        std::optional<std::int64_t> nextDueDay;  // the first learning day after today with a card due
    };
    Summary Summarize(std::int64_t now);

    // A word's card; a card never reviewed for the end record, which has
    // none.
    const CardState& Card(int row, int direction) const;

private:
    int CardOf(int row, int direction) const;
    void Rank(std::int64_t day);
    void RankFor(std::int64_t now);
    void ListNewCards();
    bool Due(int card) const;

    MemorySettings settings_;
    fsrs::Prepared model_;
    std::vector<int> firstRow_;        // by bank row: the first row with its headword
    std::unordered_map<std::string, int> rowOf_;  // headword key: its first row
    std::vector<CardState> cards_;     // by first row * 2 + direction
    std::vector<int> newCards_;        // never reviewed
    std::vector<int> newPlace_;        // by card: its place in newCards_, -1 when not there
    std::vector<int> rank_;            // by first row: its rank, 0 for none; empty: no ranks
    std::vector<int> byRank_;          // the new cards by rank, made at the first new card asked
    std::size_t rankPlace_ = 0;        // the first of them perhaps not reviewed yet
    bool newListed_ = false;
    std::int64_t day_ = std::numeric_limits<std::int64_t>::min();
    std::vector<int> dueOrder_;        // due on day_, lowest retrievability first
    std::size_t duePlace_ = 0;
    int newToday_ = 0;
    // Every reviewed card by retrievability on day_; an entry is stale once
    // its card's review count moved on. The due cards go by retrievability
    // alone (then card); the weakest by retrievability, then the one
    // reviewed longest ago, so that cards as strong as each other (all
    // those answered today) take turns instead of one coming round again.
    struct Ranked {
        double r;
        int card;
        int reviews;
        std::int64_t lastAt;
        bool operator>(const Ranked& o) const { return r != o.r ? r > o.r : card > o.card; }
    };
    struct Weaker {
        bool operator()(const Ranked& a, const Ranked& b) const {
            if (a.r != b.r) return a.r > b.r;
            return a.lastAt != b.lastAt ? a.lastAt > b.lastAt : a.card > b.card;
        }
    };
    std::priority_queue<Ranked, std::vector<Ranked>, Weaker> lowest_;
};

// A deck made on a thread of its own: the deck with the session's first
// `sessionReviews` reviews in it, or why the history could not be read.
struct DeckBuild {
    std::unique_ptr<Deck> deck;
    std::string error;
    std::size_t sessionReviews = 0;
    WordInfoMap info;  // the bank's side data, if it has any
};

}  // namespace kelvora
