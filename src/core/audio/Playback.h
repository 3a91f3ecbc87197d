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
void PlayPronunciation(Program& p, const std::string& spec);

// The playing time is over: stops the player and its timer.
void StopPronunciation(Program& p);

// The longest interval the stop timer takes, in milliseconds.
inline constexpr long long kMaxTimerInterval = 2147483647;

}  // namespace kelvora
