// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program asks of its surroundings besides windows: message boxes,
// the beep, the clock and the end of the program.
#include <chrono>
#include <cstdint>
#include <string>

#include "text/Utf8.h"

namespace kelvora {

// Thrown by Host::End. The event dispatcher catches it and closes the
// program; unwinding closes every open file on the way.
struct ProgramEnd {};

class Host {
public:
    virtual ~Host() = default;
    // Shows text with an OK button and returns once it is closed. Lines are
    // joined by CR LF. A text quoting a file's bad line is cut to a
    // screenful.
    void MsgBox(const std::string& text) { ShowMessage(ClipForScreen(text)); }
    virtual void Beep() = 0;
    // "HH:MM:SS"
    virtual std::string TimeOfDay() = 0;
    // The wall clock, in milliseconds since 1970 (Unix time): when a
    // session starts and ends, when an answer was made.
    virtual std::int64_t NowMs() const {
        using namespace std::chrono;
        return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
    }
    // The same in whole seconds.
    std::int64_t Now() const {
        const std::int64_t ms = NowMs();
        return ms / 1000 - (ms % 1000 < 0);
    }
    // A clock that only runs forward, in milliseconds from some moment:
    // for how long something took, whatever is done to the wall clock.
    virtual std::int64_t MonotonicMs() const {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    // Ends the program at once; never returns.
    [[noreturn]] void End() {
        OnEnd();
        throw ProgramEnd{};
    }

protected:
    virtual void ShowMessage(const std::string& text) = 0;
    virtual void OnEnd() {}
};

}  // namespace kelvora
