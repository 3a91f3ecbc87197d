// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory/Outlook.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "memory/LearningDay.h"

namespace kelvora {

void AddSessionReviews(ReviewLog& log, const std::string& database, const std::vector<Review>& reviews) {
    if (reviews.empty()) return;
    std::map<std::tuple<std::string, int>, std::uint32_t> cardOf;
    for (std::size_t c = 0; c < log.cards.size(); ++c)
        if (log.cards[c].database == database) cardOf[{log.cards[c].word, log.cards[c].direction}] = static_cast<std::uint32_t>(c);
    for (const Review& r : reviews) {
        auto [it, added] = cardOf.try_emplace({r.word, r.direction}, static_cast<std::uint32_t>(log.cards.size()));
        if (added) log.cards.push_back({database, r.word, r.direction});
        log.events.push_back({it->second, r.at, GradeOf(r.right, r.timedOut), r.secondsLeft, ReviewLog::kNotYetKept});
    }
    // Grouped by card again: this session's reviews are the latest made.
    GroupByCardAsMade(log);
}

std::array<int, kForecastDays> DueForecast(const ReviewLog& log, const MemorySettings& settings, std::int64_t today) {
    std::array<int, kForecastDays> due{};
    ReplayCards(log, settings.weights, [&](std::uint32_t, const CardState& card) {
        const std::int64_t ahead = std::max<std::int64_t>(0, DueDayOf(card, settings) - today);
        if (ahead < kForecastDays) ++due[static_cast<std::size_t>(ahead)];
    });
    return due;
}

std::vector<RecallPoint> RecallOverTime(const ReviewLog& log, const fsrs::Parameters& weights, std::int64_t today,
                                        int points) {
    if (log.events.empty()) return {};
    const fsrs::Prepared w(weights);
    LearningDays days;
    std::int64_t first = today;
    std::vector<std::int64_t> dayOf(log.events.size());
    for (std::size_t i = 0; i < log.events.size(); ++i) first = std::min(first, dayOf[i] = days.Of(log.events[i].at));
    const std::int64_t span = today - first + 1;
    const std::int64_t step = std::max<std::int64_t>(1, (span + points - 1) / points);
    std::vector<RecallPoint> out;
    for (std::int64_t d = today; d >= first; d -= step) out.push_back({d, {0, 0}});
    std::reverse(out.begin(), out.end());
    ForEachCard(log, [&](std::uint32_t c, std::size_t begin, std::size_t end) {
        const std::size_t direction = log.cards[c].direction == 1 ? 1 : 0;
        CardState card;
        std::size_t next = begin;
        for (RecallPoint& p : out) {
            for (; next < end && dayOf[next] <= p.day; ++next)
                ApplyReview(card, w, log.events[next].at, dayOf[next], log.events[next].grade);
            if (card.Reviewed()) p.sum[direction] += RetrievabilityOn(card, w, p.day);
        }
    });
    return out;
}

}  // namespace kelvora
