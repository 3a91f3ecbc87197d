// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a bank of common words keeps beside it, by headword: how frequent
// the word is, its part of speech, an English example sentence.
#include <string>
#include <unordered_map>

namespace kelvora {

struct WordInfo {
    int rank = 0;  // 1: the most frequent
    std::string partOfSpeech;
    std::string example;
};
using WordInfoMap = std::unordered_map<std::string, WordInfo>;

// The file beside a word database that holds it: "eword.words-info".
inline constexpr const char* kWordInfoSuffix = ".words-info";

}  // namespace kelvora
