// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The English words a learner meets most, ranked from Debian's free data:
// SCOWL's size levels (how common a word is, coarsely), WordNet's sense
// counts (how often its senses were met in a tagged corpus), the number
// of common EDICT entries that translate to it and of the Japanese words
// Wiktionary's translators give for it; each with its most common
// Japanese meanings from EDICT (those Wiktionary's translators chose
// first), its part of speech and an example sentence from WordNet. One
// headword per lemma; names, abbreviations, articles, pronouns and
// offensive words left out.
#include <filesystem>
#include <string>
#include <vector>

#include "model/WordInfo.h"
#include "text/Result.h"

namespace kelvora::import {

struct CommonWord {
    std::string word;
    std::vector<std::string> meanings;  // at most three, the commonest first
    std::string partOfSpeech;           // "noun", "verb", "adjective", "adverb", "preposition", ...
    std::string example;                // one English sentence, or none
    int rank = 0;                       // 1: the most frequent
};

// Where the data packages put their files.
struct CommonSources {
    std::filesystem::path scowl = "/usr/share/dict/scowl";
    std::filesystem::path wordnet = "/usr/share/wordnet";
    std::filesystem::path edict = "/usr/share/edict/edict";
    // FreeDict's English-Japanese dictionary (".index" and ".dict.dz"),
    // made from Wiktionary: which EDICT meanings translators chose. Not
    // needed; without it the meanings are ordered by EDICT alone.
    std::filesystem::path wiktionary = "/usr/share/dictd/freedict-eng-jpn";
};

struct CommonWordList {
    std::vector<CommonWord> words;  // most frequent first
    bool wiktionary = false;        // its meanings checked against Wiktionary's translations
};

// Every ranked word; why not (naming the package to install) when a
// source is missing.
Result<CommonWordList> RankCommonWords(const CommonSources& sources = {});

// Beside a bank, its words' ranks, parts of speech and examples: UTF-8,
// one word a line, "word<TAB>rank<TAB>part of speech<TAB>example".
std::string WordInfoText(const std::vector<CommonWord>& words);

}  // namespace kelvora::import
