// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the player's sound goes, for MP3 sections and speech alike: the
// output KELVORA_AUDIO_OUTPUT names ("wav:/tmp/out.wav", "alsa:hw:1",
// "pulse"), else PulseAudio, then ALSA. libout123 is never asked for its
// default device: on a machine without sound that may block for ever. With
// no output, sound plays silently, keeping its time. A file output is
// written at the pace of real playing too, unless KELVORA_AUDIO_PACE is "0"
// (as fast as it decodes) or "hold:MS" (as fast as it decodes up to MS
// milliseconds of sound, then nothing more until the stop, which waits for
// that point: a stop MS into the sound, whenever it comes, for tests).
#include <out123.h>

#include <atomic>
#include <chrono>
#include <cstddef>

namespace kelvora::player {

class Output {
public:
    // `stop`, when given, is the flag that ends the playing.
    explicit Output(const std::atomic<bool>* stop = nullptr);
    ~Output();  // plays what is queued to its end, unless Stop came first
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    // Signed 16-bit samples at `rate`, `channels` interleaved.
    void Start(long rate, int channels);
    // Plays `bytes` of samples, at the pace of real playing where the
    // output itself would not keep it.
    void Play(const unsigned char* data, std::size_t bytes);
    // What is queued is dropped (a seek) or not played to its end (a stop).
    void Drop();
    void Stop() { stopped_ = true; }
    // Whether a stop must wait: a held output has not reached its point.
    bool BeforeHold() const { return holdMs_ >= 0 && played_ < holdFrames_; }

private:
    out123_handle* out_ = nullptr;
    bool started_ = false;
    bool fileOutput_ = false;
    bool paced_ = true;
    bool stopped_ = false;
    long rate_ = 0;
    std::size_t frameBytes_ = 2;
    long played_ = 0;  // frames since the start, for pacing
    long holdMs_ = -1;  // "hold:MS", else -1
    long holdFrames_ = 0;
    const std::atomic<bool>* stop_ = nullptr;
    std::chrono::steady_clock::time_point begin_;
};

}  // namespace kelvora::player
