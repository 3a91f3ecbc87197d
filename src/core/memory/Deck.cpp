// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory/Deck.h"

#include <algorithm>
#include <future>
#include <unordered_map>

#include "memory/LearningDay.h"
#include "platform/VectorState.h"
#include "text/EntryParts.h"

namespace kelvora {

namespace {
// A log this long is replayed on two threads.
constexpr std::size_t kReplayOnTwoThreadsFrom = 200'000;
}  // namespace

std::vector<std::string> HeadwordsOf(const Model& m) {
    std::vector<std::string> keys;
    keys.reserve(static_cast<std::size_t>(std::max(0, m.WordCount)));
    for (int row = 0; row < m.WordCount; ++row) keys.push_back(HeadwordKey(m.Word(row).word));
    return keys;
}

Deck::Deck(const Model& m, const std::string& database, const ReviewLog& log, const std::vector<Review>& session,
           const MemorySettings& settings)
    : Deck(HeadwordsOf(m), database, log, session, settings) {}

Deck::Deck(std::vector<std::string> headwords, const std::string& database, const ReviewLog& log,
           const std::vector<Review>& session, const MemorySettings& settings)
    : settings_(settings), model_(settings.weights) {
    const int words = static_cast<int>(headwords.size());
    firstRow_.resize(static_cast<std::size_t>(words));
    cards_.resize(static_cast<std::size_t>(words) * 2);
    rowOf_.reserve(static_cast<std::size_t>(words));
    for (int row = 0; row < words; ++row) {
        std::string& key = headwords[static_cast<std::size_t>(row)];
        // The database's end record is no word to learn: it has no card.
        firstRow_[static_cast<std::size_t>(row)] = key == kEndRecordKey ? -1 : rowOf_.emplace(std::move(key), row).first->second;
    }

    // The log's cards of this database that the bank holds.
    std::vector<int> cardOfLog(log.cards.size(), -1);
    for (std::size_t i = 0; i < log.cards.size(); ++i) {
        const ReviewLog::Card& c = log.cards[i];
        if (c.database != database || c.direction < 0 || c.direction > 1) continue;
        if (const auto it = rowOf_.find(c.word); it != rowOf_.end()) cardOfLog[i] = it->second * 2 + c.direction;
    }
    // Cards below `split` on one thread, the rest on another: each card's
    // reviews stay in their order, and no card is touched by both.
    const auto replay = [&](int from, int to) {
        ClearUpperVectorState();
        LearningDays days;
        for (const ReviewLog::Event& e : log.events)
            if (const int card = cardOfLog[e.card]; card >= from && card < to)
                ApplyReview(cards_[static_cast<std::size_t>(card)], model_, e.at, days.Of(e.at), e.grade);
    };
    const int allCards = static_cast<int>(cards_.size());
    if (log.events.size() < kReplayOnTwoThreadsFrom) {
        replay(0, allCards);
    } else {
        const int split = allCards / 2;
        auto first = std::async(std::launch::async, replay, 0, split);
        replay(split, allCards);
        first.get();
    }
    // The new cards are listed at the first question: until then a review
    // only moves its card on.
    for (const Review& r : session) Record(r);
}

// The cards never reviewed, in bank order; made at the first question, so
// that a deck made early and brought up to date answer by answer is the
// deck made then.
void Deck::ListNewCards() {
    newListed_ = true;
    const int words = static_cast<int>(firstRow_.size());
    newPlace_.assign(cards_.size(), -1);
    for (int row = 0; row < words; ++row) {
        if (firstRow_[static_cast<std::size_t>(row)] != row) continue;
        for (int d = 0; d < 2; ++d) {
            const int card = row * 2 + d;
            if (cards_[static_cast<std::size_t>(card)].Reviewed()) continue;
            newPlace_[static_cast<std::size_t>(card)] = static_cast<int>(newCards_.size());
            newCards_.push_back(card);
        }
    }
}

void Deck::Record(const Review& review) {
    if (const auto it = rowOf_.find(review.word); it != rowOf_.end())
        Record(it->second, review.direction, review.grade, review.at);
}

int Deck::CardOf(int row, int direction) const {
    if (row < 0 || row >= static_cast<int>(firstRow_.size()) || direction < 0 || direction > 1) return -1;
    const int first = firstRow_[static_cast<std::size_t>(row)];
    return first < 0 ? -1 : first * 2 + direction;
}

const CardState& Deck::Card(int row, int direction) const {
    static const CardState none;
    const int card = CardOf(row, direction);
    return card < 0 ? none : cards_[static_cast<std::size_t>(card)];
}

bool Deck::Due(int card) const {
    const CardState& c = cards_[static_cast<std::size_t>(card)];
    return c.Reviewed() && DueDayOf(c, settings_) <= day_;
}

// Orders the reviewed cards by their retrievability on `day`.
void Deck::Rank(std::int64_t day) {
    if (!newListed_) ListNewCards();
    day_ = day;
    dueOrder_.clear();
    duePlace_ = 0;
    newToday_ = 0;
    std::vector<Ranked> ranked;
    for (std::size_t card = 0; card < cards_.size(); ++card) {
        const CardState& c = cards_[card];
        if (!c.Reviewed()) continue;
        ranked.push_back({RetrievabilityOn(c, model_, day), static_cast<int>(card), c.reviews, c.lastAt});
        newToday_ += c.firstDay == day;
    }
    std::sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) { return b > a; });
    for (const Ranked& r : ranked)
        if (Due(r.card)) dueOrder_.push_back(r.card);
    lowest_ = decltype(lowest_)(Weaker(), std::move(ranked));
}

void Deck::RankFor(std::int64_t now) {
    if (const std::int64_t today = LearningDay(now); today != day_) Rank(today);
}

namespace {

std::pair<int, int> Asked(int card) { return {card / 2, card % 2}; }

}  // namespace

Deck::Pick Deck::FirstDue(std::int64_t now) {
    RankFor(now);
    // A card answered since it was ranked is due no more.
    while (duePlace_ < dueOrder_.size() && !Due(dueOrder_[duePlace_])) ++duePlace_;
    if (duePlace_ < dueOrder_.size()) return Asked(dueOrder_[duePlace_]);
    return std::nullopt;
}

Deck::Pick Deck::NewCard(std::int64_t now, const std::function<int(int)>& below, bool overLimit) {
    RankFor(now);
    if (newCards_.empty() || (!overLimit && newToday_ >= settings_.newCardsPerDay)) return std::nullopt;
    if (rank_.empty()) return Asked(newCards_[static_cast<std::size_t>(below(static_cast<int>(newCards_.size())))]);
    // By rank, the most frequent word first (both its directions), a word
    // without a rank after every ranked one: the order made once, and a
    // place in it that passes the cards reviewed since.
    if (byRank_.empty()) {
        byRank_ = newCards_;
        auto key = [this](int card) {
            const int r = rank_[static_cast<std::size_t>(card / 2)];
            return std::make_pair(r > 0 ? r : std::numeric_limits<int>::max(), card);
        };
        std::sort(byRank_.begin(), byRank_.end(), [&](int a, int b) { return key(a) < key(b); });
    }
    while (rankPlace_ < byRank_.size() && cards_[static_cast<std::size_t>(byRank_[rankPlace_])].Reviewed()) ++rankPlace_;
    return Asked(byRank_[rankPlace_]);
}

void Deck::SetRanks(std::vector<int> rankOfRow) {
    rankOfRow.resize(firstRow_.size());
    rank_ = std::move(rankOfRow);
}

Deck::Pick Deck::Weakest(std::int64_t now) {
    RankFor(now);
    while (!lowest_.empty() && lowest_.top().reviews != cards_[static_cast<std::size_t>(lowest_.top().card)].reviews)
        lowest_.pop();
    if (!lowest_.empty()) return Asked(lowest_.top().card);
    return std::nullopt;
}

void Deck::Record(int row, int direction, int grade, std::int64_t at) {
    const int card = CardOf(row, direction);
    if (card < 0) return;
    CardState& c = cards_[static_cast<std::size_t>(card)];
    const bool first = !c.Reviewed();
    const std::int64_t day = LearningDay(at);
    ApplyReview(c, model_, at, day, grade);
    if (first && newListed_) {
        // Out of the new cards: the last one takes its place.
        const int place = newPlace_[static_cast<std::size_t>(card)];
        if (place < 0) return;
        const int last = newCards_.back();
        newCards_[static_cast<std::size_t>(place)] = last;
        newPlace_[static_cast<std::size_t>(last)] = place;
        newCards_.pop_back();
        newPlace_[static_cast<std::size_t>(card)] = -1;
        newToday_ += day == day_;
    }
    if (day_ != std::numeric_limits<std::int64_t>::min())
        lowest_.push({RetrievabilityOn(c, model_, day_), card, c.reviews, c.lastAt});
}

Deck::Summary Deck::Summarize(std::int64_t now) {
    RankFor(now);
    Summary s;
    s.newToday = newToday_;
    s.newLimit = settings_.newCardsPerDay;
    for (std::size_t card = 0; card < cards_.size(); ++card) {
        const CardState& c = cards_[card];
        if (!c.Reviewed()) continue;
        const std::int64_t due = DueDayOf(c, settings_);
        if (due <= day_) {
            ++s.dueToday;
        } else if (!s.nextDueDay || due < *s.nextDueDay) {
            s.nextDueDay = due;
        }
    }
    return s;
}

}  // namespace kelvora
