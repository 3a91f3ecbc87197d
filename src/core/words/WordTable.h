// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The word table as the learner looks into it: each word's memory from
// the review log, the find rule (English by case, Japanese by width and by
// kana, alike), the named filters, and the table as CSV.
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "memory/Cards.h"
#include "review/Review.h"
#include "words/WordBook.h"

namespace kelvora {

// A word's memory in one direction; nothing for a word never reviewed.
struct WordMemory {
    int reviews = 0;
    int lapses = 0;
    double retrievability = 0;  // now, 0 to 1
    std::int64_t dueDay = 0;    // a learning day
    bool reviewed() const { return reviews > 0; }
};
using WordMemoryPair = std::array<WordMemory, 2>;

// Each row's memory by direction, from the log of the book's database.
std::vector<WordMemoryPair> MemoryOfWords(const WordBook& book, const ReviewLog& log, const MemorySettings& settings,
                                          std::int64_t now);

// Text as the find box compares it: Latin letters small, full-width
// letters, digits and signs as half-width ones, half-width katakana as
// full-width, katakana as hiragana.
std::string FoldForFind(std::string_view text);

enum class WordFilter { All, Due, New, Marked, Leeches, Weakest };
inline constexpr int kLeechLapses = 4;
// "due", "new", "marked", "leeches", "weakest" (and "all").
std::optional<WordFilter> WordFilterNamed(std::string_view name);
const char* WordFilterName(WordFilter filter);

// The rows a find and a filter show, in the book's order (the weakest
// first for kWeakest). `folded` holds each row's word and meaning folded
// (FoldedRows), kept by whoever finds often.
std::vector<std::string> FoldedRows(const WordBook& book);
std::vector<int> FindWords(const WordBook& book, const std::vector<std::string>& folded,
                           const std::vector<WordMemoryPair>& memory, std::string_view find, WordFilter filter,
                           std::int64_t today);

// The rows as CSV with a header, in UTF-8: word and meaning first (so
// that `kelvora import` reads it back), the mark, the counters and each
// direction's memory.
std::string WordsCsv(const WordBook& book, const std::vector<WordMemoryPair>& memory, const std::vector<int>& rows);

}  // namespace kelvora
