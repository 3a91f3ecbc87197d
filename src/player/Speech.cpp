// SPDX-License-Identifier: GPL-3.0-or-later
// Words spoken by the offline speech engine Debian ships, espeak-ng:
// synthesised to memory, then played through the same output as the MP3
// sections (Output.h), on a thread of its own. The engine is loaded when
// first wanted, not linked: a system without it still runs Kelvora, and
// says why it cannot speak.
#include <dlfcn.h>
#include <espeak-ng/speak_lib.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Output.h"
#include "vbmp3.h"

namespace {

// The engine's entry points Kelvora uses.
struct Engine {
    decltype(&espeak_Initialize) initialize = nullptr;
    decltype(&espeak_Info) info = nullptr;
    decltype(&espeak_SetSynthCallback) setCallback = nullptr;
    decltype(&espeak_SetVoiceByName) setVoice = nullptr;
    decltype(&espeak_Synth) synth = nullptr;
};

struct Speaker {
    std::mutex engineMutex;  // the engine serves one caller at a time
    bool tried = false;
    bool ready = false;
    std::string why;         // why it cannot speak
    Engine engine;
    int rate = 0;

    std::mutex workerMutex;  // the worker thread, started and joined by one caller at a time
    std::thread worker;
    std::atomic<bool> stopRequested{false};
    std::atomic<int> state{0};  // 0 idle, 1 preparing, 2 playing

    ~Speaker() {
        stopRequested = true;
        if (worker.joinable()) worker.join();
    }
};

Speaker& Instance() {
    static Speaker speaker;
    return speaker;
}

// Samples of the text being synthesised (the engine calls back with them).
thread_local std::vector<short>* collected = nullptr;
thread_local const std::atomic<bool>* abandon = nullptr;

int Collect(short* samples, int count, espeak_EVENT*) {
    if (samples && count > 0 && collected) collected->insert(collected->end(), samples, samples + count);
    return abandon && *abandon ? 1 : 0;
}

template <class F>
bool Resolve(void* library, const char* name, F& f) {
    f = reinterpret_cast<F>(dlsym(library, name));
    return f != nullptr;
}

// Loads and starts the engine once; false, with why, when it cannot.
bool EnsureEngine(Speaker& s) {
    if (s.tried) return s.ready;
    s.tried = true;
    const char* name = std::getenv("KELVORA_SPEECH_LIBRARY");
    void* library = dlopen(name && *name ? name : "libespeak-ng.so.1", RTLD_NOW | RTLD_LOCAL);
    Engine& e = s.engine;
    if (!library || !Resolve(library, "espeak_Initialize", e.initialize) || !Resolve(library, "espeak_Info", e.info) ||
        !Resolve(library, "espeak_SetSynthCallback", e.setCallback) ||
        !Resolve(library, "espeak_SetVoiceByName", e.setVoice) || !Resolve(library, "espeak_Synth", e.synth)) {
        s.why = "the speech engine espeak-ng is not installed (sudo apt-get install libespeak-ng1)";
        return false;
    }
    // The engine reports missing data only by printing it: look first.
    const char* data = nullptr;
    e.info(&data);
    struct stat st {};
    const std::string phonemes = std::string(data ? data : "/usr/lib/x86_64-linux-gnu/espeak-ng-data") + "/phontab";
    if (data && *data && ::stat(phonemes.c_str(), &st) != 0) {
        s.why = "the speech data of espeak-ng is missing (sudo apt-get install espeak-ng-data)";
        return false;
    }
    s.rate = e.initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
    if (s.rate <= 0 || e.setVoice("en") != EE_OK) {
        s.why = "the speech engine espeak-ng could not start: its data or its English voice is missing "
                "(sudo apt-get install --reinstall espeak-ng-data)";
        return false;
    }
    e.setCallback(Collect);
    s.ready = true;
    return true;
}

void StopSpeaking(Speaker& s) {
    s.stopRequested = true;
    if (s.worker.joinable()) s.worker.join();
    s.stopRequested = false;
    s.state = 0;
}

void Say(Speaker& s, std::string text) {
    std::vector<short> samples;
    int rate = 0;
    {
        std::lock_guard lock(s.engineMutex);
        if (!EnsureEngine(s)) {
            s.state = 0;
            return;
        }
        rate = s.rate;
        collected = &samples;
        abandon = &s.stopRequested;
        s.engine.synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
        collected = nullptr;
        abandon = nullptr;
    }
    if (s.stopRequested || samples.empty()) {
        s.state = 0;
        return;
    }
    kelvora::player::Output out;
    out.Start(rate, 1);
    s.state = 2;  // the first samples go out now
    const auto* bytes = reinterpret_cast<const unsigned char*>(samples.data());
    const std::size_t total = samples.size() * sizeof(short);
    // Small pieces: a new word stops this one within one of them.
    constexpr std::size_t kChunk = 256 * sizeof(short);
    for (std::size_t done = 0; done < total && !s.stopRequested; done += kChunk)
        out.Play(bytes + done, std::min(kChunk, total - done));
    if (s.stopRequested) out.Stop();
    s.state = 0;
}

}  // namespace

extern "C" {

int32_t kelvora_speech_available(char* why, int32_t size) {
    Speaker& s = Instance();
    std::lock_guard lock(s.engineMutex);
    const bool ready = EnsureEngine(s);
    if (!ready && why && size > 0) {
        std::strncpy(why, s.why.c_str(), static_cast<std::size_t>(size) - 1);
        why[size - 1] = '\0';
    }
    return ready ? 1 : 0;
}

int32_t kelvora_speak(const char* text) {
    Speaker& s = Instance();
    std::lock_guard lock(s.workerMutex);
    StopSpeaking(s);
    if (!text || !*text) return 0;
    s.state = 1;
    s.worker = std::thread(Say, std::ref(s), std::string(text));
    return 1;
}

int32_t kelvora_speech_state(void) { return Instance().state; }

int32_t kelvora_speech_stop(void) {
    Speaker& s = Instance();
    std::lock_guard lock(s.workerMutex);
    StopSpeaking(s);
    return 1;
}
}
