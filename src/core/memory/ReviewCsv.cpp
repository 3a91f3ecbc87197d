// SPDX-License-Identifier: GPL-3.0-or-later
#include "memory/ReviewCsv.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "memory/LearningDay.h"
#include "text/Csv.h"
#include "text/Utf8.h"

namespace kelvora {

namespace {

const char* const kReviewsHeader = "word,direction,unix_seconds,grade,seconds_left,session";

std::string Fixed(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6f", v);
    return buf;
}

// A whole number and nothing else (blanks around it allowed).
std::optional<std::int64_t> Whole(const std::string& field) {
    const std::size_t b = field.find_first_not_of(' ');
    if (b == std::string::npos) return std::nullopt;
    const std::size_t e = field.find_last_not_of(' ');
    std::int64_t v = 0;
    std::size_t i = b + (field[b] == '-' ? 1 : 0);
    if (i > e) return std::nullopt;
    for (; i <= e; ++i) {
        if (field[i] < '0' || field[i] > '9' || v > 999'999'999'999) return std::nullopt;
        v = v * 10 + (field[i] - '0');
    }
    return field[b] == '-' ? -v : v;
}

}  // namespace

const char* DirectionName(int direction) { return direction == 0 ? "en-ja" : "ja-en"; }

std::string ReviewsCsv(const ReviewLog& log) {
    std::vector<const ReviewLog::Event*> events;
    events.reserve(log.events.size());
    for (const auto& e : log.events) events.push_back(&e);
    std::stable_sort(events.begin(), events.end(), [](const auto* a, const auto* b) { return a->at < b->at; });
    std::string out = std::string(kReviewsHeader) + "\r\n";
    for (const ReviewLog::Event* e : events) {
        const ReviewLog::Card& c = log.cards[e->card];
        out += CsvField(c.word) + "," + DirectionName(c.direction) + "," + std::to_string(e->at) + "," +
               std::to_string(e->grade) + "," + std::to_string(e->secondsLeft) + "," +
               (e->session > 0 ? std::to_string(e->session) : std::string()) + "\r\n";
    }
    return out;
}

std::string DueCsv(const ReviewLog& log, const MemorySettings& settings, std::int64_t asOf) {
    struct Row {
        const ReviewLog::Card* card;
        CardState state;
    };
    std::vector<Row> rows;
    const fsrs::Prepared model(settings.weights);
    ReplayCards(log, model, [&](std::uint32_t c, const CardState& state) { rows.push_back({&log.cards[c], state}); });
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

ReadReviews ParseReviewsCsv(const std::string& text, const std::function<bool(const std::string&)>& inBank,
                            std::int64_t now) {
    ReadReviews out;
    std::size_t start = 0;
    int line = 0;
    std::vector<std::string> f;
    auto fail = [&](const std::string& why) {
        out.error = "line " + std::to_string(line) + ": " + why;
        out.rows.clear();
        out.notInBank.clear();
        return out;
    };
    auto quoted = [](const std::string& s) { return "'" + ClipForScreen(s, 40, 1) + "'"; };
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string l = text.substr(start, end - start);
        start = end + 1;
        ++line;
        if (!l.empty() && l.back() == '\r') l.pop_back();
        if (line == 1) {
            if (l != kReviewsHeader) return fail("the first line must be the header " + std::string(kReviewsHeader));
            continue;
        }
        if (l.empty()) continue;
        if (!SplitCsvLine(l, &f)) return fail("a quote is left open");
        if (f.size() != 6) return fail("6 fields are needed, not " + std::to_string(f.size()));
        ImportedReview r;
        r.line = line;
        r.word = f[0];
        if (f[1] != "en-ja" && f[1] != "ja-en") return fail("the direction must be en-ja or ja-en, not " + quoted(f[1]));
        r.direction = f[1] == "ja-en";
        const auto at = Whole(f[2]);
        if (!at || *at < 0) return fail("the time must be Unix seconds, not " + quoted(f[2]));
        if (*at > now) return fail("the time " + f[2] + " is in the future");
        r.at = *at;
        const auto grade = Whole(f[3]);
        if (!grade || *grade < 1 || *grade > 4) return fail("the grade must be 1, 2, 3 or 4, not " + quoted(f[3]));
        r.grade = static_cast<int>(*grade);
        const auto left = f[4].empty() ? std::optional<std::int64_t>(0) : Whole(f[4]);
        if (!left || *left < 0 || *left > 999) return fail("the seconds left must be a whole number, not " + quoted(f[4]));
        r.secondsLeft = static_cast<int>(*left);
        if (!f[5].empty() && !Whole(f[5])) return fail("the session must be a number or empty, not " + quoted(f[5]));
        if (!inBank(r.word)) {
            out.notInBank.emplace_back(line, r.word);
            continue;
        }
        out.rows.push_back(std::move(r));
    }
    if (line == 0) return fail("the file is empty");
    return out;
}

}  // namespace kelvora
