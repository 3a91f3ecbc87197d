// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/Review.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace kelvora {

namespace {

// One card's events, kept ones in their order, imported ones merged in by
// time.
void MergeImported(ReviewLog::Events::iterator first, ReviewLog::Events::iterator last) {
    using Event = ReviewLog::Event;
    auto imported_ = [](const Event& e) { return e.session == ReviewLog::kImported; };
    const auto byTime = [](const Event& a, const Event& b) { return a.at < b.at; };
    const auto count = std::count_if(first, last, imported_);
    if (count == 0) return;
    if (count == last - first) {  // all from a file: by time alone
        if (!std::is_sorted(first, last, byTime)) std::stable_sort(first, last, byTime);
        return;
    }
    std::vector<Event> kept, imported;
    for (auto it = first; it != last; ++it) (it->session == ReviewLog::kImported ? imported : kept).push_back(*it);
    std::stable_sort(imported.begin(), imported.end(), byTime);
    std::size_t i = 0, j = 0;
    std::int64_t clock = INT64_MIN;
    for (auto out = first; out != last; ++out) {
        const bool takeKept = i < kept.size() && (j == imported.size() || imported[j].at > std::max(clock, kept[i].at));
        if (takeKept) {
            clock = std::max(clock, kept[i].at);
            *out = kept[i++];
        } else {
            *out = imported[j++];
        }
    }
}

}  // namespace

void GroupByCardAsMade(ReviewLog& log) {
    // A counting sort by card keeps each card's events in the order given.
    std::vector<std::size_t> start(log.cards.size() + 1, 0);
    for (const auto& e : log.events) ++start[e.card + 1];
    for (std::size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
    ReviewLog::Events grouped(log.events.size());
    std::vector<std::size_t> next(start.begin(), start.end() - 1);
    for (const auto& e : log.events) grouped[next[e.card]++] = e;
    log.events = std::move(grouped);
    for (std::size_t c = 0; c < log.cards.size(); ++c)
        MergeImported(log.events.begin() + static_cast<std::ptrdiff_t>(start[c]),
                      log.events.begin() + static_cast<std::ptrdiff_t>(start[c + 1]));
}

void AddSessionReviews(ReviewLog& log, const std::string& database, const std::vector<Review>& reviews) {
    if (reviews.empty()) return;
    std::map<std::tuple<std::string, int>, std::uint32_t> cardOf;
    for (std::size_t c = 0; c < log.cards.size(); ++c)
        if (log.cards[c].database == database) cardOf[{log.cards[c].word, log.cards[c].direction}] = static_cast<std::uint32_t>(c);
    for (const Review& r : reviews) {
        auto [it, added] = cardOf.try_emplace({r.word, r.direction}, static_cast<std::uint32_t>(log.cards.size()));
        if (added) log.cards.push_back({database, r.word, r.direction});
        ReviewLog::Event e{it->second, r.at, r.grade, r.secondsLeft, ReviewLog::kNotYetKept, r.responseMs, ReviewLog::kNoChoice};
        if (!r.chosen.empty()) {
            e.choice = static_cast<std::int32_t>(log.chosen.size());
            log.chosen.push_back(r.chosen);
        }
        log.events.push_back(e);
    }
    // Grouped by card again: this session's reviews are the latest made.
    GroupByCardAsMade(log);
}

}  // namespace kelvora
