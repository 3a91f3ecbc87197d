// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Maximum-size data made on the spot: a word database of n words with
// Japanese meanings and sound parts, its full learning record, a test
// database of 2,998 lines with its record, a fix patch touching every
// hundredth word and a training list of 2,001 words.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Codec.h"

namespace kelvora::bench {

inline void WriteCp932(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << *EncodeCp932(text);
}

inline std::string Word(int i) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "word%05d", i);
    return buf;
}

// A folder holding the data for a bank of n words (the last is the end record).
inline std::filesystem::path MakeData(int n) {
    const auto dir = std::filesystem::temp_directory_path() / ("kelvora-bench-" + std::to_string(n));
    std::filesystem::create_directories(dir);
    WriteCp932(dir / "qbx.txt", " 3 \r\n 1 \r\nbank\r\nfix\r\ntrain\r\nptest\r\n 1 \r\n 1 \r\n 20 \r\nEOF\r\n");
    std::string words, record, patch, training;
    auto cell = [](int i) { return Word(i) + "|snd" + std::to_string(i % 50) + " " + std::to_string(i % 7) + " 2"; };
    for (int i = 0; i < n - 1; ++i) {
        words += cell(i) + ",意味" + std::to_string(i) + "：日本語の説明です\r\n";
        record += " 15, 7, 10,-2\r\n";
        if (i % 100 == 0) patch += cell(i) + ",改訂\r\n";
    }
    words += "zzzzzzzz,終わり\r\n";
    record += "0,0,0,0\r\n";
    for (int i = 0; i < 2001; ++i) training += cell((i * 7) % (n - 1)) + ",特訓\r\n";
    WriteCp932(dir / "bank.txt", words);
    WriteCp932(dir / "bank.dat", record);
    WriteCp932(dir / "fix.txt", patch);
    WriteCp932(dir / "train.txt", training);
    std::string tests, testRecord;
    for (int q = 0; q < 999; ++q) {
        tests += "Question number " + std::to_string(q) + " has an &underlined& part to read.|snd 3 4\r\n"
                 "first choice,second choice,third choice,fourth choice,B\r\n"
                 "解説：ここに説明が入ります。\\n二行目です。\r\n";
        testRecord += " 40, 12\r\n";
    }
    tests += "a last stray line\r\n";
    WriteCp932(dir / "ptest.txt", tests);
    WriteCp932(dir / "ptest.dat", testRecord);
    return dir;
}

}  // namespace kelvora::bench
