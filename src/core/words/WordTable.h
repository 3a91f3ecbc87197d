// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The word table as the learner looks into it: each word's memory from
// the review log, the find rule (English by case, Japanese by width and by
// kana, alike), the named filters, and the table as CSV.
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "memory/Cards.h"
#include "model/WordInfo.h"
#include "review/Review.h"
#include "model/WordColumns.h"
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
// Both directions' memory, and how frequent the word is (the rank a bank
// of common words gives it; 0 for none).
struct WordMemoryPair : std::array<WordMemory, 2> {
    int rank = 0;
};

// Each row's memory by direction, from the log of the book's database.
std::vector<WordMemoryPair> MemoryOfWords(const WordBook& book, const ReviewLog& log, const MemorySettings& settings,
                                          std::int64_t now);

// Each row's rank from a bank's side data.
void AddRanks(std::vector<WordMemoryPair>& memory, const WordBook& book, const WordInfoMap& info);

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
std::string FoldedRow(const WordEntry& e);
std::vector<int> FindWords(const WordBook& book, const std::vector<std::string>& folded,
                           const std::vector<WordMemoryPair>& memory, std::string_view find, WordFilter filter,
                           std::int64_t today);

// A cell as the window and the CSV show it: the word and meaning without
// their sound parts, the mark "*", counters as the record holds them,
// retrievability to three places, the due day as a date; empty for the
// memory of a word never reviewed.
std::string WordCell(const WordEntry& e, const WordMemoryPair& m, int column);

// Sorts rows by a column: numbers by value, words and meanings as the
// find compares them, then by row.
void SortWordRows(std::vector<int>& rows, const WordBook& book, const std::vector<WordMemoryPair>& memory, int column,
                  bool descending);

// The rows as CSV with a header, in UTF-8: word and meaning first (so
// that `kelvora import` reads it back), then the other columns.
std::string WordsCsv(const WordBook& book, const std::vector<WordMemoryPair>& memory, const std::vector<int>& rows);

}  // namespace kelvora
