// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/ReviewCsv.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "text/Numbers.h"
#include "text/Csv.h"
#include "text/Utf8.h"

namespace kelvora {

namespace {

// The columns before answer times, and those after.
const char* const kFirstHeader = "word,direction,unix_seconds,grade,seconds_left,session";
const char* const kReviewsHeader = "word,direction,unix_seconds,grade,seconds_left,session,response_ms,chosen";
constexpr std::size_t kMostBadLines = 20;

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
               (e->session > 0 ? std::to_string(e->session) : std::string()) + "," +
               (e->responseMs >= 0 ? std::to_string(e->responseMs) : std::string()) + "," +
               (e->choice >= 0 ? CsvField(log.chosen[static_cast<std::size_t>(e->choice)]) : std::string()) + "\r\n";
    }
    return out;
}

ReadReviews ParseReviewsCsv(const std::string& text, const std::function<bool(const std::string&)>& inBank,
                            std::int64_t now) {
    ReadReviews out;
    std::size_t start = 0;
    int line = 0;
    std::size_t fields = 8;
    std::vector<std::string> bad;  // "line N: why"
    std::vector<std::string> f;
    auto quoted = [](const std::string& s) { return "'" + ClipForScreen(s, 40, 1) + "'"; };
    // Why a line cannot be read, or nothing.
    auto check = [&](const std::string& l, ImportedReview& r) -> std::string {
        if (!SplitCsvLine(l, &f)) return "a quote is left open";
        if (f.size() != fields) return std::to_string(fields) + " fields are needed, not " + std::to_string(f.size());
        r.line = line;
        r.word = f[0];
        if (f[1] != "en-ja" && f[1] != "ja-en") return "the direction must be en-ja or ja-en, not " + quoted(f[1]);
        r.direction = f[1] == "ja-en";
        const auto at = Whole(f[2]);
        if (!at || *at < 0) return "the time must be Unix seconds, not " + quoted(f[2]);
        // Thirteen digits and more is a time in milliseconds (after 2001).
        if (*at > now && f[2].size() >= 13) return "the time " + f[2] + " is in the future (is it in milliseconds? divide it by 1000)";
        if (*at > now) return "the time " + f[2] + " is in the future";
        r.at = *at;
        const auto grade = Whole(f[3]);
        if (!grade || *grade < kAgain || *grade > kEasy) return "the grade must be 1, 2, 3 or 4, not " + quoted(f[3]);
        r.grade = static_cast<int>(*grade);
        const auto left = f[4].empty() ? std::optional<std::int64_t>(0) : Whole(f[4]);
        if (!left || *left < 0 || *left > 999) return "the seconds left must be a whole number, not " + quoted(f[4]);
        r.secondsLeft = static_cast<int>(*left);
        if (!f[5].empty() && !Whole(f[5])) return "the session must be a number or empty, not " + quoted(f[5]);
        if (fields == 8) {
            const auto ms = f[6].empty() ? std::optional<std::int64_t>(kNoResponseTime) : Whole(f[6]);
            if (!ms || *ms < kNoResponseTime || *ms > 86'400'000)
                return "the answer time must be milliseconds or empty, not " + quoted(f[6]);
            r.responseMs = static_cast<std::int32_t>(*ms);
            r.chosen = f[7];
        }
        return {};
    };
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string l = text.substr(start, end - start);
        start = end + 1;
        ++line;
        if (!l.empty() && l.back() == '\r') l.pop_back();
        if (line == 1) {
            if (l != kReviewsHeader && l != kFirstHeader) {
                out.error = "line 1: the first line must be the header " + std::string(kReviewsHeader);
                return out;
            }
            fields = l == kReviewsHeader ? 8 : 6;
            continue;
        }
        if (l.empty()) continue;
        ImportedReview r;
        if (const std::string why = check(l, r); !why.empty()) {
            bad.push_back("line " + std::to_string(line) + ": " + why);
        } else if (!inBank(r.word)) {
            out.notInBank.emplace_back(line, r.word);
        } else {
            out.rows.push_back(std::move(r));
        }
    }
    if (line == 0) bad.push_back("line 0: the file is empty");
    if (bad.empty()) return out;
    out.rows.clear();
    out.notInBank.clear();
    if (bad.size() == 1) {
        out.error = bad[0];
        return out;
    }
    out.error = "has " + Thousands(static_cast<long long>(bad.size())) + " bad lines:";
    for (std::size_t i = 0; i < bad.size() && i < kMostBadLines; ++i) out.error += "\n  " + bad[i];
    if (bad.size() > kMostBadLines) out.error += "\n  and " + Thousands(static_cast<long long>(bad.size() - kMostBadLines)) + " more";
    return out;
}

}  // namespace kelvora
