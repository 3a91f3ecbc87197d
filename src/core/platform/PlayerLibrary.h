// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The MP3 player library as the program sees it: its eleven entry points,
// and speech where the library has it.
// The real one is a shared library loaded at start-up; tests use stand-ins.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace kelvora {

// Filled by vbmp3_open; the program passes it and never reads it.
struct PlayerInfo {
    char title[128];
    char artist[128];
    std::int32_t rate;
    std::int32_t channels;
    std::int32_t lengthSeconds;
    std::int32_t bitrate;
};
static_assert(sizeof(PlayerInfo) == 272, "the information record is 272 bytes");

// Thrown by a call when the library cannot be loaded or lacks the entry point.
struct PlayerUnavailable : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class PlayerLibrary {
public:
    virtual ~PlayerLibrary() = default;
    virtual std::int32_t vbmp3_init() = 0;
    virtual std::int32_t vbmp3_getVersion() = 0;
    virtual std::int32_t vbmp3_getState(std::int32_t* sec) = 0;
    virtual std::int32_t vbmp3_getEncodeState(std::int32_t* a, std::int32_t* b) = 0;
    virtual std::int32_t vbmp3_open(const char* fileName, PlayerInfo* info) = 0;
    virtual std::int32_t vbmp3_play() = 0;
    virtual std::int32_t vbmp3_seek(std::int32_t seconds) = 0;
    virtual std::int32_t vbmp3_stop() = 0;
    virtual std::int32_t vbmp3_close() = 0;
    virtual std::int32_t vbmp3_stopCallback() = 0;
    virtual std::int32_t vbmp3_free() = 0;

    // Speech, beyond the eleven entry points: a library without it cannot
    // speak. Whether text can be spoken (else why not, a clause for the
    // learner); speaking English text in the background, after stopping
    // what was being spoken; and whether it still speaks (0 silent, 1
    // getting ready, 2 speaking).
    virtual bool SpeechAvailable(std::string* why) {
        if (why) *why = "this player library cannot speak";
        return false;
    }
    virtual bool Speak(const std::string& /*text*/) { return false; }
    virtual int SpeechState() { return 0; }
};

// A player that plays nothing and opens no file: for the commands that run
// the program's routines without a window.
class SilentPlayer : public PlayerLibrary {
public:
    std::int32_t vbmp3_init() override { return 1; }
    std::int32_t vbmp3_getVersion() override { return 200; }
    std::int32_t vbmp3_getState(std::int32_t*) override { return 0; }
    std::int32_t vbmp3_getEncodeState(std::int32_t*, std::int32_t*) override { return 0; }
    std::int32_t vbmp3_open(const char*, PlayerInfo*) override { return 0; }
    std::int32_t vbmp3_play() override { return 1; }
    std::int32_t vbmp3_seek(std::int32_t) override { return 1; }
    std::int32_t vbmp3_stop() override { return 1; }
    std::int32_t vbmp3_close() override { return 1; }
    std::int32_t vbmp3_stopCallback() override { return 1; }
    std::int32_t vbmp3_free() override { return 1; }
};

}  // namespace kelvora
