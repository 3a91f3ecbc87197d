// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A host and a player that accept everything and record nothing, for the
// fuzz targets and the benchmarks: there only crashes and time count.
#include <cstdint>
#include <string>

#include "platform/Host.h"
#include "platform/PlayerLibrary.h"

namespace kelvora::support {

class QuietHost : public Host {
public:
    void ShowMessage(const std::string& text) override { lastMessage = text; }
    void Beep() override {}
    std::string TimeOfDay() override { return "12:34:56"; }
    std::string lastMessage;
};

// Every file opens, except names starting with "x" (so both paths run).
class QuietPlayer : public SilentPlayer {
public:
    std::int32_t vbmp3_open(const char* name, PlayerInfo*) override { return name && name[0] != 'x'; }
};

}  // namespace kelvora::support
