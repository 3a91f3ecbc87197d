#pragma once
// Reading and changing the word table's counters and the 16-bit counters.
#include <string>

#include "model/Model.h"
#include "text/Numbers.h"

namespace kelvora {

// Column 2..5 of a word row.
std::string& WordField(WordRow& row, int column);
const std::string& WordField(const WordRow& row, int column);
// A counter's numeric value; a text that is no number counts as 0.
double Tally(const WordRow& row, int column);
// The asked and score tallies of a direction.
inline double Asked(const WordRow& row, int direction) {
    return ValFast(direction == 0 ? row.enAsked : row.jaAsked);
}
inline double Score(const WordRow& row, int direction) {
    return ValFast(direction == 0 ? row.enScore : row.jaScore);
}

// Adds to a 16-bit counter, stopping at the edge of its range instead of
// leaving it: a long history ends up pinned at 32767 (or -32768).
void SaturatingAdd(Int16& value, int amount);

}  // namespace kelvora
