// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <string>

#include "Program.h"

namespace kelvora {

// The player's state; switches the stop timer off once nothing plays.
std::int32_t getState(Program& p);

// Plays the section a sound part names, stopped by Timer2 after
// its playing time; " Open Error " and the name when the file cannot open.
// True when a recording plays: the file opened and the section starts
// within it.
bool PlayPronunciation(Program& p, const std::string& spec);

// Speaks an English word (a headword cell) with the speech engine, when the
// learner asked for words without a recording to be spoken and the engine
// is there; true when it speaks.
bool SpeakWord(Program& p, const std::string& headwordCell);

// The question's sound again: its recording, or, where it has none that
// plays, the English word spoken (while a word is asked from English, or
// once its verdict is shown: never the answer while the learner looks for
// it).
void SayAgain(Program& p);

// The playing time is over: stops the player and its timer.
void StopPronunciation(Program& p);

// The longest interval the stop timer takes, in milliseconds.
inline constexpr long long kMaxTimerInterval = 2147483647;

}  // namespace kelvora
