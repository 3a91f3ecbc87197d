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

void AddRanks(std::vector<WordMemoryPair>& memory, const WordBook& book, const WordInfoMap& info) {
    if (info.empty()) return;
    for (std::size_t row = 0; row < memory.size() && row < book.entries().size(); ++row)
        if (const auto it = info.find(HeadwordKey(book.entries()[row].word)); it != info.end()) memory[row].rank = it->second.rank;
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

// The word and the meaning, with a character between them no fold gives,
// so that a find never spans the two.
std::string FoldedRow(const WordEntry& e) { return FoldForFind(GetTextPart(e.word)) + '\x1F' + FoldForFind(GetTextPart(e.meaning)); }

std::vector<std::string> FoldedRows(const WordBook& book) {
    std::vector<std::string> out;
    out.reserve(book.entries().size());
    for (const WordEntry& e : book.entries()) out.push_back(FoldedRow(e));
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

std::string WordCell(const WordEntry& e, const WordMemoryPair& m, int column) {
    switch (column) {
        case 0: return HeadwordKey(e.word);
        case 1: return GetTextPart(e.meaning);
        case 2: return e.marked() ? "*" : "";
        case 3: case 4: case 5: case 6: return e.record[static_cast<std::size_t>(column - 3)];
        case 15: return m.rank > 0 ? std::to_string(m.rank) : "";
        default: break;
    }
    const WordMemory& d = m[column < 11 ? 0 : 1];
    switch ((column - 7) % 4) {
        case 0: return std::to_string(d.reviews);
        case 1: return std::to_string(d.lapses);
        case 2: {
            if (!d.reviewed()) return "";
            char r[16];
            std::snprintf(r, sizeof r, "%.3f", d.retrievability);
            return r;
        }
        default: return d.reviewed() ? DayText(d.dueDay) : "";
    }
}

void SortWordRows(std::vector<int>& rows, const WordBook& book, const std::vector<WordMemoryPair>& memory, int column,
                  bool descending) {
    static const WordMemoryPair kNone{};
    const auto& entries = book.entries();
    auto memoryOf = [&](int row) -> const WordMemoryPair& {
        return static_cast<std::size_t>(row) < memory.size() ? memory[static_cast<std::size_t>(row)] : kNone;
    };
    // Keys made once a row: a number (a word never reviewed sorts as
    // none, before every value), or the folded text.
    std::vector<std::pair<double, std::string>> key(entries.size());
    for (int row : rows) {
        const WordEntry& e = entries[static_cast<std::size_t>(row)];
        const WordMemoryPair& m = memoryOf(row);
        auto& k = key[static_cast<std::size_t>(row)];
        if (column == 15) k.first = m.rank > 0 ? m.rank : 1e300;  // unranked last
        else if (column >= 3 && column <= 6) k.first = std::strtod(e.record[static_cast<std::size_t>(column - 3)].c_str(), nullptr);
        else if (column >= 7) {
            const WordMemory& d = m[column < 11 ? 0 : 1];
            const int part = (column - 7) % 4;
            k.first = part == 0 ? d.reviews : part == 1 ? d.lapses : !d.reviewed() ? -1e300 : part == 2 ? d.retrievability : static_cast<double>(d.dueDay);
        } else k.second = column == 2 ? std::string(e.marked() ? "*" : "") : FoldForFind(WordCell(e, m, column));
    }
    std::stable_sort(rows.begin(), rows.end(), [&](int a, int b) {
        const auto& ka = key[static_cast<std::size_t>(a)];
        const auto& kb = key[static_cast<std::size_t>(b)];
        if (ka != kb) return descending ? kb < ka : ka < kb;
        return a < b;
    });
}

std::string WordsCsv(const WordBook& book, const std::vector<WordMemoryPair>& memory, const std::vector<int>& rows) {
    std::string out;
    for (int c = 0; c < kWordColumnCount; ++c) out += (c ? "," : "") + std::string(kWordColumns[c].name);
    out += "\r\n";
    static const WordMemoryPair kNone{};
    for (int row : rows) {
        const WordEntry& e = book.entries()[static_cast<std::size_t>(row)];
        const WordMemoryPair& m = static_cast<std::size_t>(row) < memory.size() ? memory[static_cast<std::size_t>(row)] : kNone;
        for (int c = 0; c < kWordColumnCount; ++c) out += (c ? "," : "") + CsvField(WordCell(e, m, c));
        out += "\r\n";
    }
    return out;
}

}  // namespace kelvora
