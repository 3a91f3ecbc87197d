// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

#include "Program.h"

namespace kelvora {

// Prints a test sentence on the main window's surface: a small top margin,
// a two-blank indent, "&" marking underlined stretches ("&&" prints one),
// and a word wrap that keeps lines to about 22 characters.
void DrawQuestionText(Program& p, const std::string& sentence);

// Prints QuestionSentence again when there is one; the redraw events call it.
void RedrawQuestionText(Program& p);

}  // namespace kelvora
