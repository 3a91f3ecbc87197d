// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory/Outlook.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>

#include "memory/LearningDay.h"
#include "review/ReviewCsv.h"
#include "text/Csv.h"

namespace kelvora {

namespace {

std::string Fixed(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    return buf;
}

}  // namespace

std::string DueCsv(const ReviewLog& log, const MemorySettings& settings, std::int64_t asOf) {
    struct Row {
        const ReviewLog::Card* card;
        CardState state;
    };
    std::vector<Row> rows;
    const fsrs::Prepared model(settings.weights);
    ReplayCards(log, model, [&](std::uint32_t c, const CardState& state) {
        if (!SetAside(log.cards[c].word)) rows.push_back({&log.cards[c], state});
    });
    std::sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        return a.card->word != b.card->word ? a.card->word < b.card->word : a.card->direction < b.card->direction;
    });
    const std::int64_t today = LearningDay(asOf);
    std::string out =
        "word,direction,reviews,lapses,last_review_unix,stability,difficulty,retrievability,interval_days,due\r\n";
    for (const Row& r : rows) {
        const CardState& s = r.state;
        out += CsvField(r.card->word) + "," + DirectionName(r.card->direction) + "," + std::to_string(s.reviews) + "," +
               std::to_string(s.lapses) + "," + std::to_string(s.lastAt) + "," + Fixed(s.memory.stability) + "," +
               Fixed(s.memory.difficulty) + "," + Fixed(RetrievabilityOn(s, model, today)) + "," +
               std::to_string(IntervalOf(s, settings)) + "," + DayText(DueDayOf(s, settings)) + "\r\n";
    }
    return out;
}

std::vector<DayQuestions> QuestionsPerDay(const ReviewLog& log, const std::vector<SessionRecord>& sessions) {
    std::map<std::int64_t, DayQuestions> days;
    LearningDays learningDays;
    auto at = [&](std::int64_t t) -> DayQuestions& {
        const std::int64_t day = learningDays.Of(t);
        return days.try_emplace(day, DayQuestions{day}).first->second;
    };
    for (const ReviewLog::Event& e : log.events) {
        DayQuestions& d = at(e.at);
        ++d.asked;
        d.right += e.grade > kAgain;
    }
    for (const SessionRecord& s : sessions) {
        if (s.testAsked <= 0) continue;
        DayQuestions& d = at(s.ended);
        d.asked += s.testAsked;
        d.right += s.testRight;
    }
    std::vector<DayQuestions> out;
    out.reserve(days.size());
    for (const auto& [day, d] : days) out.push_back(d);
    return out;
}

ReviewLog OnlyDatabase(const ReviewLog& log, const std::string& database) {
    ReviewLog out;
    std::vector<std::int64_t> cardOf(log.cards.size(), -1);
    for (std::size_t c = 0; c < log.cards.size(); ++c)
        if (log.cards[c].database == database) {
            cardOf[c] = static_cast<std::int64_t>(out.cards.size());
            out.cards.push_back(log.cards[c]);
        }
    for (ReviewLog::Event e : log.events)
        if (cardOf[e.card] >= 0) {
            e.card = static_cast<std::uint32_t>(cardOf[e.card]);
            if (e.choice >= 0) {
                out.chosen.push_back(log.chosen[static_cast<std::size_t>(e.choice)]);
                e.choice = static_cast<std::int32_t>(out.chosen.size() - 1);
            }
            out.events.push_back(e);
        }
    return out;
}

std::array<int, kForecastDays> DueForecast(const ReviewLog& log, const MemorySettings& settings, std::int64_t today) {
    std::array<int, kForecastDays> due{};
    ReplayCards(log, settings.weights, [&](std::uint32_t c, const CardState& card) {
        if (SetAside(log.cards[c].word)) return;
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
