// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The player library loaded from a shared object at the first call. When
// the file is missing or lacks an entry point every call throws
// PlayerUnavailable.
#include <filesystem>
#include <memory>
#include <string>

#include "platform/PlayerLibrary.h"

namespace kelvora {

class SharedPlayerLibrary : public PlayerLibrary {
public:
    explicit SharedPlayerLibrary(std::filesystem::path file);
    ~SharedPlayerLibrary() override;
    SharedPlayerLibrary(const SharedPlayerLibrary&) = delete;
    SharedPlayerLibrary& operator=(const SharedPlayerLibrary&) = delete;

    std::int32_t vbmp3_init() override;
    std::int32_t vbmp3_getVersion() override;
    std::int32_t vbmp3_getState(std::int32_t* sec) override;
    std::int32_t vbmp3_getEncodeState(std::int32_t* a, std::int32_t* b) override;
    std::int32_t vbmp3_open(const char* fileName, PlayerInfo* info) override;
    std::int32_t vbmp3_play() override;
    std::int32_t vbmp3_seek(std::int32_t seconds) override;
    std::int32_t vbmp3_stop() override;
    std::int32_t vbmp3_close() override;
    std::int32_t vbmp3_stopCallback() override;
    std::int32_t vbmp3_free() override;
    bool SpeechAvailable(std::string* why) override;
    bool Speak(const std::string& text) override;
    int SpeechState() override;

    // Why loading failed, for diagnostics.
    const std::string& error() const { return error_; }

private:
    struct Api;
    const Api& api();

    std::filesystem::path file_;
    void* handle_ = nullptr;
    std::unique_ptr<Api> api_;
    bool tried_ = false;
    std::string error_;
};

}  // namespace kelvora
