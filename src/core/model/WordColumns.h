// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The columns of the word table (the Words window, "kelvora words").
#include <iterator>
#include <string_view>

namespace kelvora {

// The table's columns: the name (the CSV's header, and Kelvora's own
// settings), the window's header, and whether it holds a number.
struct WordColumn {
    const char* name;
    const char* header;
    bool number;
};
inline constexpr WordColumn kWordColumns[] = {
    {"word", "Word", false},           {"meaning", "Meaning", false},
    {"marked", "Mark", false},         {"en_asked", "Asked (E→J)", true},
    {"en_score", "Score (E→J)", true}, {"ja_asked", "Asked (J→E)", true},
    {"ja_score", "Score (J→E)", true}, {"en_reviews", "Reviews (E→J)", true},
    {"en_lapses", "Lapses (E→J)", true}, {"en_retrievability", "Recall now (E→J)", true},
    {"en_due", "Due (E→J)", false},    {"ja_reviews", "Reviews (J→E)", true},
    {"ja_lapses", "Lapses (J→E)", true}, {"ja_retrievability", "Recall now (J→E)", true},
    {"ja_due", "Due (J→E)", false},    {"rank", "Rank", true},
};
inline constexpr int kWordColumnCount = static_cast<int>(std::size(kWordColumns));
inline constexpr int kMeaningColumn = 1;
// The column of a name, -1 when there is none.
inline int WordColumnNamed(std::string_view name) {
    for (int c = 0; c < kWordColumnCount; ++c)
        if (name == kWordColumns[c].name) return c;
    return -1;
}


}  // namespace kelvora
