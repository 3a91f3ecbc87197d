#pragma once
#include <cstdint>

#include "Program.h"

namespace kelvora {

// The player's state; switches the stop timer off once nothing plays.
std::int32_t getState(Program& p);

}  // namespace kelvora
