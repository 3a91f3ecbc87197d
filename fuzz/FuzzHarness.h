// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every fuzz target shares: a program in a scratch folder with
// services that accept anything. A message box or an orderly end is a
// normal outcome; only a crash, a sanitizer report or a hang is a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "Events.h"
#include "Program.h"
#include "QuietServices.h"

namespace kelvora::fuzz {

using support::QuietHost;
using support::QuietPlayer;

// One scratch folder per process, refilled with sound files before every
// input, so one input never sees what another left.
inline const std::filesystem::path& Scratch() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("kelvora-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(d);
        return d;
    }();
    return dir;
}

inline void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(Scratch() / name, std::ios::binary | std::ios::trunc) << bytes;
}

// qbx.txt, a word database with its end record, patch and training list,
// and a test database: a program that starts.
inline void WriteStandardFiles(int mode = 1, int wordSign = 1) {
    for (const char* f : {"eword.dat", "ptest.dat"}) std::filesystem::remove(Scratch() / f);
    Write("qbx.txt", std::string(wordSign > 0 ? " 3 " : "-3 ") + "\r\n 1 \r\neword\r\nefix\r\netrain\r\nptest\r\n " +
                         std::to_string(mode) + " \r\n 0 \r\n 20 \r\nEOF\r\n");
    std::string words;
    for (char c = 'a'; c <= 'l'; ++c) words += std::string(1, c) + "word|snd 1 2," + std::string(1, c) + "の意味\r\n";
    Write("eword.txt", words + "zzzzzzzz,終わり\r\n");
    Write("efix.txt", "bword,修正\r\nkword,修正\r\n");
    Write("etrain.txt", "aword|snd 1 2,x\r\ncword|snd 1 2,y\r\n");
    Write("ptest.txt", "One &two& three.|snd 0 1\r\na,b,c,d,B\r\nfirst\\nsecond\r\n(A)\r\n(A),(B),(C),(D),C\r\nc\r\n"
                       "Three.\r\nx,y,z,w,D\r\nno comment\r\n");
}

inline std::string Bytes(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Runs a piece of the program; an orderly end is fine.
template <class F>
bool Survive(F&& f) {
    try {
        f();
    } catch (const ProgramEnd&) {
        return false;
    }
    return true;
}

// A program in the scratch folder, started on the files written there;
// `loaded` tells whether start-up went through.
struct StartedProgram {
    QuietHost host;
    QuietPlayer player;
    Program p{host, player, Scratch()};
    bool loaded = Survive([this] { form1::Form_Load(p); });
};

// Start, then a run of ticks and answers driven by the input's bytes.
inline void Drill(Program& p, const std::uint8_t* data, std::size_t size) {
    form1::Command7_Click(p);
    void (*const events[])(Program&) = {form1::Timer1_Timer, form1::Command1_Click, form1::Command2_Click,
                                        form1::Command3_Click, form1::Command4_Click, form1::Command6_Click,
                                        form1::Command9_Click, form2::Command1_Click, form1::Timer2_Timer,
                                        form1::Form_Paint};
    for (std::size_t i = 0; i < size && i < 64; ++i) events[data[i] % std::size(events)](p);
    for (int i = 0; i < 40; ++i) form1::Timer1_Timer(p);
}

}  // namespace kelvora::fuzz
