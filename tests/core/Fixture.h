// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared test fixtures: a recording host that fails the test on any message
// box it was not told to expect, a recording player library, and a
// scratch working folder.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Events.h"
#include "Program.h"

namespace kelvora::test {

// A review as the drill makes it, graded by the program's rule.
inline Review Answer(std::string word, int direction, std::int64_t at, bool right, bool timedOut, int secondsLeft,
                     double mode, std::int32_t responseMs = kNoResponseTime, std::string chosen = {}) {
    return {std::move(word), direction, at, right, timedOut, secondsLeft, mode, GradeOf(right, timedOut), responseMs,
            std::move(chosen)};
}

class RecordingHost : public Host {
public:
    ~RecordingHost() override {
        for (const auto& text : expected_) ADD_FAILURE() << "expected message box never shown: " << text;
    }
    void Expect(std::string text) { expected_.push_back(std::move(text)); }
    // Accepts any message box from now on (still recorded).
    void AllowAnyMessage() { allowAny_ = true; }

    void ShowMessage(const std::string& text) override {
        log.push_back("MsgBox:" + text);
        messages.push_back(text);
        if (whileShown) whileShown();
        if (!expected_.empty()) {
            EXPECT_EQ(expected_.front(), text);
            expected_.pop_front();
        } else if (!allowAny_) {
            ADD_FAILURE() << "unexpected message box: " << text;
        }
    }
    void Beep() override { log.push_back("Beep"); }
    std::string TimeOfDay() override { return time; }
    std::int64_t NowMs() const override { return now * 1000 + nowMs; }
    std::int64_t MonotonicMs() const override { return monotonicMs; }

    std::vector<std::string> log;
    std::vector<std::string> messages;
    // Runs while a message box is open, as a screen reader would look.
    std::function<void()> whileShown;
    std::string time = "12:34:56";
    std::int64_t now = 1'767'225'600;  // 2026-01-01 00:00 UTC, in seconds
    int nowMs = 0;                      // and milliseconds past it
    std::int64_t monotonicMs = 0;
    bool ended = false;

protected:
    void OnEnd() override {
        log.push_back("End");
        ended = true;
    }

private:
    std::deque<std::string> expected_;
    bool allowAny_ = false;
};

class RecordingPlayer : public PlayerLibrary {
public:
    std::int32_t vbmp3_init() override {
        log.push_back("init");
        if (missing) throw PlayerUnavailable("no library");
        return 1;
    }
    std::int32_t vbmp3_getVersion() override { return Log("getVersion", version); }
    std::int32_t vbmp3_getState(std::int32_t*) override { return Log("getState", state); }
    std::int32_t vbmp3_getEncodeState(std::int32_t*, std::int32_t*) override { return Log("getEncodeState", 0); }
    std::int32_t vbmp3_open(const char* name, PlayerInfo* info) override {
        if (info) info->lengthSeconds = lengthSeconds;
        return Log(std::string("open ") + name, openResult);
    }
    std::int32_t vbmp3_play() override { return Log("play", 1); }
    std::int32_t vbmp3_seek(std::int32_t s) override { return Log("seek " + std::to_string(s), 1); }
    std::int32_t vbmp3_stop() override { return Log("stop", 1); }
    std::int32_t vbmp3_close() override { return Log("close", 1); }
    std::int32_t vbmp3_stopCallback() override { return Log("stopCallback", 1); }
    std::int32_t vbmp3_free() override { return Log("free", 1); }
    bool SpeechAvailable(std::string* why) override {
        if (!canSpeak && why) *why = "no speech engine";
        return canSpeak;
    }
    bool Speak(const std::string& text) override { return canSpeak && Log("speak " + text, 1) == 1; }

    std::vector<std::string> log;
    bool missing = false;
    std::int32_t version = 200;
    std::int32_t state = 0;
    std::int32_t openResult = 1;
    std::int32_t lengthSeconds = 5;  // of every file opened
    bool canSpeak = true;

private:
    std::int32_t Log(std::string what, std::int32_t result) {
        log.push_back(std::move(what));
        return result;
    }
};

// A history in memory: keeps what "END" appends and gives back a prepared
// review log, or fails with `failure` (keeping the session for later in
// `keptIn`, when set).
struct MemoryHistory : SessionHistory {
    std::vector<SessionRecord> sessions;
    ReviewLog log;
    std::optional<fsrs::Parameters> fitted;
    std::string failure;
    std::string keptIn;
    AppendOutcome Append(const SessionRecord& s) override {
        if (failure.empty()) sessions.push_back(s);
        return {failure, !failure.empty() && !keptIn.empty(), failure.empty() ? "" : keptIn};
    }
    Result<std::vector<SessionRecord>> Sessions() const override {
        if (!failure.empty()) return Result<std::vector<SessionRecord>>::Failed(failure);
        return sessions;
    }
    Result<ReviewLog> Reviews(const std::string&, bool) const override {
        if (!failure.empty()) return Result<ReviewLog>::Failed(failure);
        return log;
    }
    Result<std::optional<fsrs::Parameters>> FittedParameters() const override { return fitted; }
};

// The time zone for a test; the one before is put back.
class ScopedZone {
public:
    explicit ScopedZone(const char* zone);
    ~ScopedZone();
    ScopedZone(const ScopedZone&) = delete;
    ScopedZone& operator=(const ScopedZone&) = delete;

private:
    std::string saved_;
    bool had_ = false;
};

// A fresh folder per test, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::filesystem::path& path() const { return path_; }
    // Writes UTF-8 text as code page 932 bytes, exactly as given.
    void WriteCp932(const std::string& name, const std::string& utf8) const;
    void WriteBytes(const std::string& name, const std::string& bytes) const;
    std::string ReadBytes(const std::string& name) const;
    bool Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

private:
    std::filesystem::path path_;
};

// Lines joined with CR LF, one after the last too.
std::string Crlf(const std::vector<std::string>& lines);

// A settings file text: word names, test names, mode, Auto FIX patch, wait.
std::string Settings(int wordSign, const std::vector<std::string>& words, int testSign,
                     const std::vector<std::string>& tests, int mode = 1, int autoFix = 0, int wait = 20);

// A program in a scratch folder with recording services.
struct ScratchProgram {
    RecordingHost host;
    RecordingPlayer player;
    TempDir dir;
    Program p{host, player, dir.path()};

    // Standard data: "qbx.txt" naming "eword" and "ptest", a three-word
    // database and a two-question test database.
    void WriteStandardFiles(int mode = 1, int wait = 20);
    // Runs an event; true when it ended the program.
    bool Fire(EventHandler event);
    // The four choice boxes' texts.
    std::vector<std::string> Choices() const;
};

struct ProgramFixture : ::testing::Test, ScratchProgram {};

}  // namespace kelvora::test
