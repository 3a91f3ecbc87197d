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
class QuietPlayer : public PlayerLibrary {
public:
    std::int32_t vbmp3_init() override { return 1; }
    std::int32_t vbmp3_getVersion() override { return 200; }
    std::int32_t vbmp3_getState(std::int32_t*) override { return 0; }
    std::int32_t vbmp3_getEncodeState(std::int32_t*, std::int32_t*) override { return 0; }
    std::int32_t vbmp3_open(const char* name, PlayerInfo*) override { return name && name[0] != 'x'; }
    std::int32_t vbmp3_play() override { return 1; }
    std::int32_t vbmp3_seek(std::int32_t) override { return 1; }
    std::int32_t vbmp3_stop() override { return 1; }
    std::int32_t vbmp3_close() override { return 1; }
    std::int32_t vbmp3_stopCallback() override { return 1; }
    std::int32_t vbmp3_free() override { return 1; }
};

}  // namespace kelvora::support
