// SPDX-License-Identifier: GPL-3.0-or-later
// The player library as the program loads it, measured by decoding into
// WAV files through libout123's file output.
#include <gtest/gtest.h>
#include <mpg123.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>
#include <vector>

#include "platform/SharedPlayerLibrary.h"

namespace kelvora {
namespace {

namespace fs = std::filesystem;
constexpr int kRate = 22050;
constexpr int kFrame = 1152;  // samples in one MP3 frame

std::vector<int16_t> ReadWav(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples;
    const std::size_t data = bytes.find("data");
    if (bytes.compare(0, 4, "RIFF") != 0 || data == std::string::npos) return samples;
    uint32_t size = 0;
    std::memcpy(&size, bytes.data() + data + 4, 4);
    size = std::min<uint32_t>(size, static_cast<uint32_t>(bytes.size() - data - 8));
    samples.resize(size / 2);
    std::memcpy(samples.data(), bytes.data() + data + 8, samples.size() * 2);
    return samples;
}

// A mono test signal that never repeats, a slow chirp plus a little noise,
// as raw 16-bit samples.
void WriteSourceRaw(const fs::path& file, double seconds) {
    std::vector<int16_t> samples(static_cast<std::size_t>(seconds * kRate));
    uint32_t noise = 12345;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        noise = noise * 1103515245u + 12345u;
        const double v = 0.5 * std::sin(2 * M_PI * (200 + 150 * t) * t) + 0.1 * (((noise >> 16) & 0x7fff) / 32768.0 - 0.5);
        samples[i] = static_cast<int16_t>(v * 20000);
    }
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(samples.data()),
                                                static_cast<std::streamsize>(samples.size() * 2));
}

std::vector<int16_t> DecodeWhole(const fs::path& mp3) {
    mpg123_handle* mh = mpg123_new(nullptr, nullptr);
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS, 0);
    mpg123_format_none(mh);
    mpg123_format(mh, kRate, MPG123_MONO, MPG123_ENC_SIGNED_16);
    std::vector<int16_t> all;
    if (mpg123_open(mh, mp3.c_str()) == MPG123_OK) {
        mpg123_scan(mh);
        std::vector<int16_t> buf(4096);
        for (;;) {
            std::size_t got = 0;
            const int r = mpg123_read(mh, buf.data(), buf.size() * 2, &got);
            all.insert(all.end(), buf.begin(), buf.begin() + static_cast<long>(got / 2));
            if (r != MPG123_OK && r != MPG123_NEW_FORMAT) break;
        }
        mpg123_close(mh);
    }
    mpg123_delete(mh);
    return all;
}

// Where `part` starts within `whole`: the offset with the least squared
// difference over the first samples.
long FindOffset(const std::vector<int16_t>& whole, const std::vector<int16_t>& part) {
    const std::size_t n = std::min<std::size_t>(2048, part.size());
    long best = -1;
    double bestError = 1e300;
    for (std::size_t off = 0; off + n <= whole.size(); ++off) {
        double e = 0;
        for (std::size_t i = 0; i < n && e < bestError; ++i) {
            const double d = static_cast<double>(whole[off + i]) - part[i];
            e += d * d;
        }
        if (e < bestError) bestError = e, best = static_cast<long>(off);
    }
    return best;
}

struct Player : ::testing::Test {
    static inline fs::path dir;
    static inline fs::path mp3;
    static inline std::vector<int16_t> reference;
    SharedPlayerLibrary lib{KELVORA_PLAYER_FILE};
    fs::path wav = dir / "out.wav";

    static void SetUpTestSuite() {
        dir = fs::temp_directory_path() / ("kelvora-player-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        WriteSourceRaw(dir / "source.raw", 4.0);
        mp3 = dir / "単語 source.mp3";
        const std::string cmd = "lame --quiet -r -s 22.05 --bitwidth 16 --signed --little-endian -m m -b 64 '" +
                                (dir / "source.raw").string() + "' '" + mp3.string() + "'";
        ASSERT_EQ(0, std::system(cmd.c_str()));
        reference = DecodeWhole(mp3);
        ASSERT_GT(reference.size(), 3u * kRate);
    }
    static void TearDownTestSuite() { fs::remove_all(dir); }
    // The output's settings, as they were before the test: put back after it.
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
    void SetUp() override {
        for (const char* name : {"KELVORA_AUDIO_OUTPUT", "KELVORA_AUDIO_PACE"})
            saved.emplace_back(name, std::getenv(name) ? std::optional<std::string>(std::getenv(name)) : std::nullopt);
        ::setenv("KELVORA_AUDIO_OUTPUT", ("wav:" + wav.string()).c_str(), 1);
        ::setenv("KELVORA_AUDIO_PACE", "0", 1);
        lib.vbmp3_init();
    }
    void TearDown() override {
        lib.vbmp3_close();
        lib.vbmp3_free();
        for (const auto& [name, value] : saved) value ? ::setenv(name, value->c_str(), 1) : ::unsetenv(name);
    }
    bool WaitIdle(int ms) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        std::int32_t sec = 0;
        while (lib.vbmp3_getState(&sec) != 0) {
            if (std::chrono::steady_clock::now() > until) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }
};

TEST_F(Player, OpensAJapaneseNamedFileAndFillsTheRecord) {
    EXPECT_GE(lib.vbmp3_getVersion(), 161);  // start-up warns below it
    PlayerInfo info{};
    ASSERT_NE(0, lib.vbmp3_open(mp3.c_str(), &info));
    EXPECT_EQ("単語 source.mp3", std::string(info.title));
    EXPECT_EQ(kRate, info.rate);
    EXPECT_EQ(1, info.channels);
    EXPECT_EQ(4, info.lengthSeconds);
    EXPECT_EQ(64, info.bitrate);
}

TEST_F(Player, PlaysFromTheSeekPointToTheEnd) {
    for (int seek : {-1, 1, 3}) {  // -1: no seek at all
        ASSERT_NE(0, lib.vbmp3_open(mp3.c_str(), nullptr));
        lib.vbmp3_play();
        if (seek >= 0) lib.vbmp3_seek(seek);
        EXPECT_EQ(1, lib.vbmp3_getState(nullptr));
        ASSERT_TRUE(WaitIdle(5000));
        const auto out = ReadWav(wav);
        const long start = seek < 0 ? 0 : seek * kRate;
        EXPECT_NEAR(start, FindOffset(reference, out), seek < 0 ? 1 : kFrame) << seek;
        EXPECT_NEAR(static_cast<double>(reference.size()) - start, static_cast<double>(out.size()), kFrame) << seek;
    }
}

// A stop 0.55 s into the section from second 2, whenever the stop call
// comes: the output holds there until it does.
TEST_F(Player, StopsDuringPlayback) {
    ::setenv("KELVORA_AUDIO_PACE", "hold:550", 1);
    ASSERT_NE(0, lib.vbmp3_open(mp3.c_str(), nullptr));
    lib.vbmp3_seek(2);
    lib.vbmp3_play();
    std::int32_t sec = 0;
    EXPECT_EQ(1, lib.vbmp3_getState(&sec));
    EXPECT_EQ(2, sec);
    lib.vbmp3_stop();
    EXPECT_EQ(0, lib.vbmp3_getState(nullptr));
    const auto out = ReadWav(wav);
    EXPECT_EQ(static_cast<std::size_t>(0.55 * kRate), out.size());
    EXPECT_NEAR(2 * kRate, FindOffset(reference, out), kFrame);
}

TEST_F(Player, MissingAndNonMp3FilesDoNotOpen) {
    PlayerInfo info{};
    EXPECT_EQ(0, lib.vbmp3_open((dir / "none.mp3").c_str(), &info));
    std::ofstream(dir / "text.mp3") << "this is not an MP3 file\r\n";
    EXPECT_EQ(0, lib.vbmp3_open((dir / "text.mp3").c_str(), &info));
    std::ofstream(dir / "empty.mp3");
    EXPECT_EQ(0, lib.vbmp3_open((dir / "empty.mp3").c_str(), &info));
    EXPECT_EQ(0, lib.vbmp3_play());
    EXPECT_EQ(0, lib.vbmp3_getState(nullptr));
}

TEST_F(Player, AProgramMayEndWhilePlaying) {
    // "END" leaves without freeing the player; the process must still end
    // cleanly, not abort on a running thread.
    ::unsetenv("KELVORA_AUDIO_PACE");
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            SharedPlayerLibrary child(KELVORA_PLAYER_FILE);
            child.vbmp3_init();
            child.vbmp3_open(mp3.c_str(), nullptr);
            child.vbmp3_play();  // its thread running as the program ends
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}

// A spoken word, written to a WAV file: not silent, and about as long as
// espeak-ng's own rendering of it.
TEST_F(Player, SpeaksAWordThroughTheSameOutput) {
    std::string why;
    ASSERT_TRUE(lib.SpeechAvailable(&why)) << why;
    ASSERT_TRUE(lib.Speak("accident"));
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (lib.SpeechState() != 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_EQ(0, lib.SpeechState());
    const std::vector<int16_t> spoken = ReadWav(wav);
    const fs::path reference = dir / "espeak.wav";
    ASSERT_EQ(0, std::system(("espeak-ng -v en -w '" + reference.string() + "' accident").c_str()));
    const std::vector<int16_t> own = ReadWav(reference);
    // The sound itself, without the silence the command line adds after it.
    auto voiced = [](const std::vector<int16_t>& v) {
        auto loud = [](int16_t x) { return std::abs(x) > 300; };
        const auto first = std::find_if(v.begin(), v.end(), loud);
        const auto last = std::find_if(v.rbegin(), v.rend(), loud).base();
        return first < last ? static_cast<double>(last - first) : 0.0;
    };
    ASSERT_GT(voiced(own), 5000);
    EXPECT_NEAR(voiced(own), voiced(spoken), 0.1 * voiced(own));
    double energy = 0;
    for (int16_t v : spoken) energy += static_cast<double>(v) * v;
    EXPECT_GT(std::sqrt(energy / static_cast<double>(spoken.size())), 500);  // well above silence
    // A new word stops the one before; an empty text says nothing.
    EXPECT_FALSE(lib.Speak(""));
}

// Without the engine the library says why, and speaks nothing. (A copy of
// the library in a child process: the engine is looked for once.)
TEST_F(Player, WithoutTheEngineSpeechIsUnavailableAndSaysWhy) {
    const fs::path copy = dir / "libvbmp3-copy.so";
    fs::copy_file(KELVORA_PLAYER_FILE, copy, fs::copy_options::overwrite_existing);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::setenv("KELVORA_SPEECH_LIBRARY", "/nonexistent/libespeak-ng.so.1", 1);
            SharedPlayerLibrary child(copy);
            child.vbmp3_init();
            std::string why;
            const bool available = child.SpeechAvailable(&why);
            std::exit(!available && !child.Speak("word") == false &&
                              why == "the speech engine espeak-ng is not installed (sudo apt-get install libespeak-ng1)"
                          ? 0
                          : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(PlayerLibrary, AMissingFileOrOneWithoutTheEntryPointsIsUnavailable) {
    SharedPlayerLibrary missing("/nonexistent/libvbmp3.so"), other("libm.so.6");
    EXPECT_THROW(missing.vbmp3_getVersion(), PlayerUnavailable);
    EXPECT_THROW(other.vbmp3_init(), PlayerUnavailable);
    EXPECT_EQ("missing entry point vbmp3_free", other.error());
}

}  // namespace
}  // namespace kelvora
