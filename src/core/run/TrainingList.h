// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "Program.h"

namespace kelvora {

// Reads the training list (the third word-database name + ".txt") into
// TrainingText and TrainingList: each line's headword matched to the first
// bank row holding it (or it with " *" after it). Words the bank lacks are
// skipped, lines past 2,001 dropped, and the learner is told once; a list
// that gave no word is read again only after the file changes.
void LoadTrainingList(Program& p);

}  // namespace kelvora
