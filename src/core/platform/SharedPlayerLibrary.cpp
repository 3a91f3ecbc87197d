// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SharedPlayerLibrary.h"

#include <dlfcn.h>

namespace kelvora {

struct SharedPlayerLibrary::Api {
    using Void = std::int32_t (*)();
    Void init, getVersion, play, stop, close, stopCallback, free;
    std::int32_t (*getState)(std::int32_t*);
    std::int32_t (*getEncodeState)(std::int32_t*, std::int32_t*);
    std::int32_t (*open)(const char*, PlayerInfo*);
    std::int32_t (*seek)(std::int32_t);
    // Optional: a player library that cannot speak lacks them.
    std::int32_t (*speechAvailable)(char*, std::int32_t) = nullptr;
    std::int32_t (*speak)(const char*) = nullptr;
    std::int32_t (*speechState)() = nullptr;
};

SharedPlayerLibrary::SharedPlayerLibrary(std::filesystem::path file) : file_(std::move(file)) {}

SharedPlayerLibrary::~SharedPlayerLibrary() {
    api_.reset();
    if (handle_) dlclose(handle_);
}

const SharedPlayerLibrary::Api& SharedPlayerLibrary::api() {
    if (api_) return *api_;
    if (tried_) throw PlayerUnavailable(error_);
    tried_ = true;
    handle_ = dlopen(file_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        error_ = dlerror();
        throw PlayerUnavailable(error_);
    }
    auto api = std::make_unique<Api>();
    bool complete = true;
    auto bind = [&](auto& slot, const char* name) {
        void* sym = dlsym(handle_, name);
        if (!sym) {
            complete = false;
            error_ = std::string("missing entry point ") + name;
        }
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(sym);
    };
    bind(api->init, "vbmp3_init");
    bind(api->getVersion, "vbmp3_getVersion");
    bind(api->getState, "vbmp3_getState");
    bind(api->getEncodeState, "vbmp3_getEncodeState");
    bind(api->open, "vbmp3_open");
    bind(api->play, "vbmp3_play");
    bind(api->seek, "vbmp3_seek");
    bind(api->stop, "vbmp3_stop");
    bind(api->close, "vbmp3_close");
    bind(api->stopCallback, "vbmp3_stopCallback");
    bind(api->free, "vbmp3_free");
    api->speechAvailable = reinterpret_cast<decltype(api->speechAvailable)>(dlsym(handle_, "kelvora_speech_available"));
    api->speak = reinterpret_cast<decltype(api->speak)>(dlsym(handle_, "kelvora_speak"));
    api->speechState = reinterpret_cast<decltype(api->speechState)>(dlsym(handle_, "kelvora_speech_state"));
    if (!complete) {
        dlclose(handle_);
        handle_ = nullptr;
        throw PlayerUnavailable(error_);
    }
    api_ = std::move(api);
    return *api_;
}

std::int32_t SharedPlayerLibrary::vbmp3_init() { return api().init(); }
std::int32_t SharedPlayerLibrary::vbmp3_getVersion() { return api().getVersion(); }
std::int32_t SharedPlayerLibrary::vbmp3_getState(std::int32_t* sec) { return api().getState(sec); }
std::int32_t SharedPlayerLibrary::vbmp3_getEncodeState(std::int32_t* a, std::int32_t* b) {
    return api().getEncodeState(a, b);
}
std::int32_t SharedPlayerLibrary::vbmp3_open(const char* fileName, PlayerInfo* info) {
    return api().open(fileName, info);
}
std::int32_t SharedPlayerLibrary::vbmp3_play() { return api().play(); }
std::int32_t SharedPlayerLibrary::vbmp3_seek(std::int32_t seconds) { return api().seek(seconds); }
std::int32_t SharedPlayerLibrary::vbmp3_stop() { return api().stop(); }
std::int32_t SharedPlayerLibrary::vbmp3_close() { return api().close(); }
std::int32_t SharedPlayerLibrary::vbmp3_stopCallback() { return api().stopCallback(); }
std::int32_t SharedPlayerLibrary::vbmp3_free() { return api().free(); }

bool SharedPlayerLibrary::SpeechAvailable(std::string* why) {
    const Api& a = api();
    if (!a.speechAvailable || !a.speak || !a.speechState) return PlayerLibrary::SpeechAvailable(why);
    char buffer[512] = {};
    const bool available = a.speechAvailable(buffer, sizeof buffer) != 0;
    if (!available && why) *why = buffer;
    return available;
}

bool SharedPlayerLibrary::Speak(const std::string& text) { return api().speak && api().speak(text.c_str()) != 0; }

int SharedPlayerLibrary::SpeechState() { return api().speechState ? api().speechState() : 0; }

}  // namespace kelvora
