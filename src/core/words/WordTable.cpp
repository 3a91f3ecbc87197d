// SPDX-License-Identifier: GPL-3.0-or-later
#include "words/WordTable.h"

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "memory/LearningDay.h"
#include "text/Csv.h"
#include "text/EntryParts.h"
#include "text/Utf8.h"

namespace kelvora {

std::vector<WordMemoryPair> MemoryOfWords(const WordBook& book, const ReviewLog& log, const MemorySettings& settings,
                                          std::int64_t now) {
    std::unordered_map<std::string, std::size_t> rowOf;
    for (std::size_t i = 0; i < book.entries().size(); ++i) rowOf.emplace(HeadwordKey(book.entries()[i].word), i);
    std::vector<WordMemoryPair> out(book.entries().size());
    const fsrs::Prepared w(settings.weights);
    const std::int64_t today = LearningDay(now);
    ReplayCards(log, w, [&](std::uint32_t c, const CardState& card) {
        const ReviewLog::Card& which = log.cards[c];
        const auto it = rowOf.find(which.word);
        if (it == rowOf.end() || which.direction < 0 || which.direction > 1) return;
        WordMemory& m = out[it->second][static_cast<std::size_t>(which.direction)];
        m.reviews = card.reviews;
        m.lapses = card.lapses;
        m.retrievability = RetrievabilityOn(card, w, today);
        m.dueDay = DueDayOf(card, settings);
    });
    return out;
}

std::string FoldForFind(std::string_view text) {
    // Half-width katakana U+FF66..U+FF9D as full-width, and the two sound
    // marks that follow one.
    static const char32_t kHalfKana[] = {
        0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6,
        0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
        0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE,
        0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9, 0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3};
    std::u32string chars;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t n = 0;
        char32_t c = DecodeAt(text, i, &n);
        i += n;
        if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // full-width ASCII
        else if (c == 0x3000) c = ' ';
        if (c >= 0xFF66 && c <= 0xFF9D) c = kHalfKana[c - 0xFF66];
        if (c == 0xFF9E || c == 0xFF9F) {  // a sound mark joins the kana before it
            static const std::u32string kVoiced = U"カキクケコサシスセソタチツテトハヒフヘホ", kHalfVoiced = U"ハヒフヘホ";
            const bool voiced = c == 0xFF9E;
            char32_t* k = chars.empty() ? nullptr : &chars.back();
            if (k && voiced && *k == U'ウ') *k = U'ヴ';
            else if (k && voiced && kVoiced.find(*k) != std::u32string::npos) *k += 1;
            else if (k && !voiced && kHalfVoiced.find(*k) != std::u32string::npos) *k += 2;
            else chars.push_back(voiced ? 0x309B : 0x309C);
            continue;
        }
        if (c < 128) c = static_cast<char32_t>(std::tolower(static_cast<int>(c)));
        chars.push_back(c);
    }
    for (char32_t& c : chars)
        if (c >= 0x30A1 && c <= 0x30F6) c -= 0x60;  // katakana as hiragana
    std::string out;
    for (char32_t c : chars) AppendUtf8(out, c);
    return out;
}

namespace {
constexpr struct {
    WordFilter filter;
    const char* name;
} kFilters[] = {{WordFilter::All, "all"},         {WordFilter::Due, "due"},         {WordFilter::New, "new"},
                {WordFilter::Marked, "marked"}, {WordFilter::Leeches, "leeches"}, {WordFilter::Weakest, "weakest"}};
}  // namespace

std::optional<WordFilter> WordFilterNamed(std::string_view name) {
    for (const auto& f : kFilters)
        if (name == f.name) return f.filter;
    return std::nullopt;
}

const char* WordFilterName(WordFilter filter) {
    for (const auto& f : kFilters)
        if (filter == f.filter) return f.name;
    return "";
}

std::vector<std::string> FoldedRows(const WordBook& book) {
    std::vector<std::string> out;
    out.reserve(book.entries().size());
    // The word and the meaning, with a character between them no fold
    // gives, so that a find never spans the two.
    for (const WordEntry& e : book.entries()) out.push_back(FoldForFind(GetTextPart(e.word)) + '\x1F' + FoldForFind(GetTextPart(e.meaning)));
    return out;
}

namespace {

double Weakness(const WordMemoryPair& m) {
    double r = 2;
    for (const WordMemory& d : m)
        if (d.reviewed()) r = std::min(r, d.retrievability);
    return r;
}

bool Passes(const WordEntry& e, const WordMemoryPair& m, WordFilter filter, std::int64_t today) {
    switch (filter) {
        case WordFilter::All: return true;
        case WordFilter::Due:
            return std::any_of(m.begin(), m.end(), [&](const WordMemory& d) { return d.reviewed() && d.dueDay <= today; });
        case WordFilter::New: return !m[0].reviewed() && !m[1].reviewed();
        case WordFilter::Marked: return e.marked();
        case WordFilter::Leeches:
            return std::any_of(m.begin(), m.end(), [](const WordMemory& d) { return d.lapses >= kLeechLapses; });
        case WordFilter::Weakest: return m[0].reviewed() || m[1].reviewed();
    }
    return true;
}

}  // namespace

std::vector<int> FindWords(const WordBook& book, const std::vector<std::string>& folded,
                           const std::vector<WordMemoryPair>& memory, std::string_view find, WordFilter filter,
                           std::int64_t today) {
    const std::string needle = FoldForFind(find);
    std::vector<int> rows;
    const auto& entries = book.entries();
    static const WordMemoryPair kNone{};
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const WordMemoryPair& m = i < memory.size() ? memory[i] : kNone;
        if (!Passes(entries[i], m, filter, today)) continue;
        if (!needle.empty() && (i >= folded.size() || folded[i].find(needle) == std::string::npos)) continue;
        rows.push_back(static_cast<int>(i));
    }
    if (filter == WordFilter::Weakest)
        std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
            return Weakness(memory[static_cast<std::size_t>(a)]) < Weakness(memory[static_cast<std::size_t>(b)]);
        });
    return rows;
}

std::string WordsCsv(const WordBook& book, const std::vector<WordMemoryPair>& memory, const std::vector<int>& rows) {
    std::string out =
        "word,meaning,marked,en_asked,en_score,ja_asked,ja_score,en_reviews,en_lapses,en_retrievability,en_due,"
        "ja_reviews,ja_lapses,ja_retrievability,ja_due\r\n";
    for (int row : rows) {
        const WordEntry& e = book.entries()[static_cast<std::size_t>(row)];
        out += CsvField(HeadwordKey(e.word)) + "," + CsvField(GetTextPart(e.meaning)) + "," + (e.marked() ? "yes" : "no");
        for (const std::string& f : e.record) out += "," + CsvField(f);
        for (const WordMemory& m : memory[static_cast<std::size_t>(row)]) {
            if (!m.reviewed()) {
                out += ",0,0,,";
                continue;
            }
            char r[16];
            std::snprintf(r, sizeof r, "%.3f", m.retrievability);
            out += "," + std::to_string(m.reviews) + "," + std::to_string(m.lapses) + "," + r + "," + DayText(m.dueDay);
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace kelvora
