// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way to read and add to the learning counters: a word's by
// direction (kEnglishToJapanese or kJapaneseToEnglish), and the 16-bit
// counters of test questions and runs.
#include "model/Model.h"

namespace kelvora {

// A counter's numeric value; a text that is no number counts as 0.
double Asked(const WordRow& row, int direction);
double Score(const WordRow& row, int direction);

// Adds to both counters of a direction, writing them in the record file's
// number format.
void AddToWord(WordRow& row, int direction, double asked, double score);

// Adds to a 16-bit counter, stopping at the edge of its range instead of
// leaving it: a long history ends up pinned at 32767 (or -32768).
void SaturatingAdd(Int16& value, int amount);
void AddToQuestion(QuestionTally& tally, int asked, int score);

}  // namespace kelvora
