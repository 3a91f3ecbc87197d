// SPDX-License-Identifier: GPL-3.0-or-later
#include "Output.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace kelvora::player {

namespace {

// Opens the first output that works; nothing when none does.
out123_handle* OpenOutput() {
    out123_handle* out = out123_new();
    if (!out) return nullptr;
    out123_param_int(out, OUT123_VERBOSE, 0);
    out123_param_int(out, OUT123_FLAGS, OUT123_QUIET);
    std::vector<std::pair<std::string, std::string>> choices;
    if (const char* chosen = std::getenv("KELVORA_AUDIO_OUTPUT"); chosen && *chosen) {
        const std::string spec(chosen);
        const std::size_t colon = spec.find(':');
        choices.emplace_back(spec.substr(0, colon), colon == std::string::npos ? "" : spec.substr(colon + 1));
    } else {
        choices = {{"pulse", ""}, {"alsa", ""}};
    }
    for (const auto& [driver, device] : choices) {
        if (out123_open(out, driver.c_str(), device.empty() ? nullptr : device.c_str()) == OUT123_OK) return out;
    }
    out123_del(out);
    return nullptr;
}

bool IsFileOutput(out123_handle* out) {
    char* driver = nullptr;
    if (!out || out123_driver_info(out, &driver, nullptr) != OUT123_OK || !driver) return false;
    const std::string d(driver);
    return d == "wav" || d == "raw" || d == "au" || d == "cdr";
}

}  // namespace

Output::Output(const std::atomic<bool>* stop) : out_(OpenOutput()), fileOutput_(IsFileOutput(out_)), stop_(stop) {
    const char* pace = std::getenv("KELVORA_AUDIO_PACE");
    const std::string p = pace ? pace : "";
    if (fileOutput_ && p.rfind("hold:", 0) == 0) holdMs_ = std::strtol(p.c_str() + 5, nullptr, 10);
    paced_ = !(fileOutput_ && (p == "0" || holdMs_ >= 0));
}

Output::~Output() {
    if (!out_) return;
    if (started_ && !stopped_) out123_drain(out_);
    out123_close(out_);  // finishes a file output's header
    out123_del(out_);
}

void Output::Start(long rate, int channels) {
    rate_ = rate;
    frameBytes_ = static_cast<std::size_t>(channels) * 2;
    started_ = out_ && out123_start(out_, rate, channels, MPG123_ENC_SIGNED_16) == OUT123_OK;
    holdFrames_ = holdMs_ >= 0 ? holdMs_ * rate / 1000 : 0;
    begin_ = std::chrono::steady_clock::now();
}

void Output::Play(const unsigned char* data, std::size_t bytes) {
    if (holdMs_ >= 0) {
        // Up to the point, then nothing until the stop.
        const long room = std::max(0L, holdFrames_ - played_);
        bytes = std::min(bytes, static_cast<std::size_t>(room) * frameBytes_);
        if (bytes == 0) {
            while (stop_ && !*stop_) std::this_thread::sleep_for(std::chrono::milliseconds(1));
            return;
        }
    }
    if (started_) started_ = out123_play(out_, const_cast<unsigned char*>(data), bytes) == bytes;
    played_ += static_cast<long>(bytes / frameBytes_);
    // A file output or no output at all takes data at once; keep the pace
    // of real playing so stopping after n seconds means the same.
    if ((!started_ || fileOutput_) && paced_ && rate_ > 0)
        std::this_thread::sleep_until(begin_ + std::chrono::microseconds(played_ * 1000000LL / rate_));
}

void Output::Drop() {
    if (started_ && !fileOutput_) out123_drop(out_);
}

}  // namespace kelvora::player
