#pragma once
#include "Program.h"

namespace kelvora {

// The next question: a test question or a word question by the mode in
// the setup dialog's mode box.
void NextQuestion(Program& p);
// Reads the training list (the third word-database name + ".txt").
void LoadTrainingList(Program& p);

// Int(r * n): a row 0..n-1 from the next draw.
int DrawBelow(Program& p, int n);

inline const char* const kFullWidthLetters[4] = {"Ａ", "Ｂ", "Ｃ", "Ｄ"};
void SetAnswerCaptions(Program& p);

}  // namespace kelvora
