// SPDX-License-Identifier: GPL-3.0-or-later
// From entries read to a word database the program reads back exactly.
#include <algorithm>
#include <map>

#include "CommonWords.h"
#include "Import.h"
#include "platform/Codec.h"
#include "platform/TextFile.h"
#include "text/Numbers.h"
#include "text/Utf8.h"
#include "words/WordRules.h"

namespace kelvora::import {

namespace {

// How English a text looks: +1 for Latin letters only, -1 for kana or
// kanji, 0 for anything else.
int Englishness(const std::string& s) {
    bool latin = false, japanese = false;
    for (std::size_t i = 0; i < s.size();) {
        std::size_t n = 0;
        const char32_t c = DecodeAt(s, i, &n);
        i += n;
        latin = latin || (c < 128 && std::isalpha(static_cast<int>(c)));
        japanese = japanese || (c >= 0x3040 && c <= 0x30FF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xFF66 && c <= 0xFF9F);
    }
    return japanese ? -1 : latin ? 1 : 0;
}

// Whether the second column holds the English words, by the content.
bool EnglishInSecondColumn(const std::vector<Entry>& entries) {
    long first = 0, second = 0;
    for (const Entry& e : entries) {
        first += Englishness(e.first) > Englishness(e.second);
        second += Englishness(e.second) > Englishness(e.first);
    }
    return second > first;
}

std::string Quoted(const std::string& s) { return QuotedForMessage(s); }

// Why a word database cannot hold this row, or nothing.
std::optional<std::string> Unfit(const std::string& word, const std::string& meaning, bool englishHeaded,
                                 const std::string& name) {
    if (word.empty()) return "no English word";
    if (meaning.empty()) return "no meaning";
    if (englishHeaded && FirstCode(word) > 122)
        return "the word " + Quoted(word) + " does not start with a Latin letter, which a database named '" + name +
               "' needs";
    if (LowerAscii(word) >= kEndRecordWord) return "the word " + Quoted(word) + " sorts after the end record 'zzzzzzzz'";
    for (const std::string* f : {&word, &meaning})
        if (auto why = FieldProblem(*f)) return why;
    return std::nullopt;
}


}  // namespace

Bank BuildBank(const ReadResult& read, const std::string& name, bool swap) {
    Bank bank;
    const bool second = EnglishInSecondColumn(read.entries) != swap;
    const char32_t head = FirstCode(name);
    const bool englishHeaded = head >= 65 && head <= 122;
    struct Word {
        int line;
        std::string word;
        std::vector<std::string> meanings;
    };
    std::vector<Word> words;
    std::map<std::string, std::size_t> byKey;  // lower-cased word -> its place
    for (const Entry& e : read.entries) {
        const std::string& word = second ? e.second : e.first;
        const std::string& meaning = second ? e.first : e.second;
        if (const auto why = Unfit(word, meaning, englishHeaded, name)) {
            bank.skipped.push_back({e.line, *why});
            continue;
        }
        const auto [it, isNew] = byKey.emplace(LowerAscii(word), words.size());
        if (!isNew) {
            Word& w = words[it->second];
            if (std::find(w.meanings.begin(), w.meanings.end(), meaning) == w.meanings.end()) w.meanings.push_back(meaning);
            bank.merged.push_back("line " + std::to_string(e.line) + ": " + Quoted(word) + ", first on line " +
                                  std::to_string(w.line));
            continue;
        }
        if (words.size() >= kMaxImportedWords) {
            byKey.erase(it);
            ++bank.leftOut;
            continue;
        }
        words.push_back({e.line, word, {meaning}});
    }
    std::stable_sort(words.begin(), words.end(),
                     [](const Word& a, const Word& b) { return LowerAscii(a.word) < LowerAscii(b.word); });
    for (const Word& w : words) {
        std::string meaning;
        for (const auto& m : w.meanings) meaning += (meaning.empty() ? "" : "、") + m;
        // Joined meanings may need quoting where one alone did not; where a
        // quote then stands in the way, the first meaning stands alone.
        const auto field = AsField(meaning);
        bank.text += *AsField(w.word) + "," + (field ? *field : *AsField(w.meanings[0])) + "\r\n";
    }
    bank.text += std::string(kEndRecordWord) + ",終わり\r\n";
    bank.words = static_cast<int>(words.size());
    return bank;
}

namespace {

// The database's name without ".txt"; nothing when it cannot name one.
std::optional<std::string> DatabaseName(const Request& request) {
    std::string name = request.name;
    if (name.size() > 4 && LowerAscii(name.substr(name.size() - 4)) == ".txt") name.resize(name.size() - 4);
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == ".." || name == "qbx" ||
        !EncodeCp932(name))
        return std::nullopt;
    return name;
}

bool Occupied(const std::filesystem::path& path) {
    const PathStatus s = StatPath(path);
    return s.kind != PathStatus::Kind::Missing || s.link;
}

}  // namespace

bool DatabaseExists(const Request& request) {
    const auto name = DatabaseName(request);
    return name && Occupied(request.folder / (*name + ".txt"));
}

std::string ScreenSummary(const Outcome& outcome) { return ClipForScreen(outcome.summary, 200, 40); }

namespace {

// The most frequent English words from rank `commonFrom` to `commonTo`,
// and beside them each one's rank, part of speech and example.
Outcome ImportCommonWords(const Request& request, const std::string& name, const std::filesystem::path& target) {
    Outcome out;
    const Result<CommonWordList> list = RankCommonWords(request.commonSources);
    if (!list) {
        out.status = 1;
        out.summary = list.error() + "\n";
        return out;
    }
    const std::vector<CommonWord>& ranked = list->words;
    const std::size_t from = std::max<std::size_t>(request.commonFrom, 1) - 1;
    const std::size_t to = std::min(request.commonTo, ranked.size());
    ReadResult read;
    read.format = Format::Edict;
    read.encoding = "EUC-JP";
    std::vector<CommonWord> chosen;
    for (std::size_t i = from; i < to; ++i) {
        const CommonWord& w = ranked[i];
        std::string meaning;
        for (const std::string& m : w.meanings) meaning += (meaning.empty() ? "" : "、") + m;
        read.entries.push_back({w.rank, w.word, meaning});
        chosen.push_back(w);
    }
    const Bank bank = BuildBank(read, name, false);
    if (bank.words == 0) {
        out.status = 1;
        out.summary = "There are only " + Thousands(static_cast<long long>(ranked.size())) +
                      " ranked words, so ranks from " + Thousands(static_cast<long long>(from + 1)) + " give none.\n";
        return out;
    }
    // The side data first: a bank without it is only unranked, never wrong.
    const std::filesystem::path info = request.folder / (name + kWordInfoSuffix);
    const WriteResult side = WriteFileAtomic(info, WordInfoText(chosen));
    const WriteResult w = side.ok ? WriteTextFileAtomic(target, bank.text) : side;
    if (!w.ok) {
        out.status = 1;
        out.summary = (side.ok ? target : info).string() + " could not be written: " + w.reason + ". Nothing was changed.\n";
        return out;
    }
    out.written = bank.words;
    out.summary = "Imported " + Thousands(bank.words) + " words into " + target.string() + ": the most frequent English words, ranks " +
                  Thousands(static_cast<long long>(from + 1)) + " to " + Thousands(static_cast<long long>(from + bank.words)) +
                  ", each with its commonest Japanese meanings.\n"
                  "Their ranks, parts of speech and example sentences are in " + info.filename().string() +
                  "; mode 5 brings new words in the order of their ranks.\n"
                  "Sources: SCOWL's word lists (Kevin Atkinson), WordNet 3.0 (Princeton University) and EDICT (the "
                  "Electronic Dictionary Research and Development Group, CC BY-SA 3.0).\n" +
                  (list->wiktionary ? "The meanings in the order of Wiktionary's translations, by way of FreeDict's English-Japanese "
                                      "dictionary (the Wiktionary, WikDict and FreeDict contributors, CC BY-SA 3.0).\n"
                                    : "The meanings are in EDICT's order: for the order translators chose, install FreeDict's "
                                      "dictionary with: sudo apt-get install dict-freedict-eng-jpn\n");
    for (const Skipped& k : bank.skipped) out.summary += "Left out \"" + ranked[static_cast<std::size_t>(k.line) - 1].word + "\": " + k.reason + ".\n";
    return out;
}

}  // namespace

Outcome Run(const Request& request) {
    Outcome out;
    auto fail = [&out](const std::string& message) {
        out.status = 1;
        out.summary = message + "\n";
        return out;
    };
    const auto databaseName = DatabaseName(request);
    if (!databaseName)
        return fail("'" + request.name + "' cannot name a word database: give a plain file name without a folder");
    const std::string& name = *databaseName;
    const std::filesystem::path target = request.folder / (name + ".txt");
    if (!request.force && Occupied(target))
        return fail(target.string() + " is there already; Kelvora leaves it as it is. Give another name, or add "
                                      "--force to replace it.");

    if (request.commonTo > 0) return ImportCommonWords(request, name, target);

    // The row of the format asked for; none: found from the content.
    const Format asked = request.edictWords > 0 ? Format::Edict : request.format;
    const FormatRow* row = asked == Format::Detect ? nullptr : &RowOf(asked);
    const bool ownSource = request.source.empty() && row && *row->source;
    const std::string sourceName = ownSource ? row->source : request.source.string();
    const FileRead file = ReadFileBytes(sourceName, std::uintmax_t{256} << 20);
    if (!file && ownSource)
        return fail("The dictionary " + sourceName + " cannot be read" +
                    (file.problem.empty() ? ": it is not there. Install it with: sudo apt-get install " + std::string(row->package)
                                          : ": " + file.problem));
    if (!file) return fail(sourceName + " cannot be read: " + (file.problem.empty() ? "there is no such file" : file.problem));
    const ReadResult read = row ? row->read(*file, request) : ReadSourceText(*file, Format::Detect);
    if (read.undecodable) return fail(sourceName + " is " + read.error);
    if (!read.error.empty()) return fail(sourceName + " cannot be imported: " + read.error);

    const Bank bank = BuildBank(read, name, request.swap);
    std::string& s = out.summary;
    auto list = [&s](const char* heading, const std::vector<std::string>& lines) {
        if (lines.empty()) return;
        s += std::string(heading) + "\n";
        for (std::size_t i = 0; i < lines.size() && i < 20; ++i) s += "  " + lines[i] + "\n";
        if (lines.size() > 20) s += "  and " + Thousands(static_cast<long long>(lines.size() - 20)) + " more\n";
    };
    std::vector<Skipped> skipped = read.skipped;
    skipped.insert(skipped.end(), bank.skipped.begin(), bank.skipped.end());
    std::stable_sort(skipped.begin(), skipped.end(), [](const Skipped& a, const Skipped& b) { return a.line < b.line; });
    std::vector<std::string> skippedLines;
    for (const Skipped& k : skipped) skippedLines.push_back("line " + std::to_string(k.line) + ": " + k.reason);

    if (bank.words == 0) {
        s = "Nothing could be imported from " + sourceName + " (" + RowOf(read.format).name + ", " + read.encoding +
            "): no row gives a word and its meaning.\n";
        list(("Skipped " + Thousands(static_cast<long long>(skipped.size())) + " rows:").c_str(), skippedLines);
        out.status = 1;
        return out;
    }
    const WriteResult w = WriteTextFileAtomic(target, bank.text);
    if (!w.ok) return fail(target.string() + " could not be written: " + w.reason + ". Nothing was changed.");

    out.written = bank.words;
    s += "Imported " + Thousands(bank.words) + (bank.words == 1 ? " word" : " words") + " from " + sourceName + " (" +
         RowOf(read.format).name + ", " + read.encoding + ") into " + target.string() + ".\n";
    if (RowOf(read.format).twoColumns)
        s += std::string("The English words were taken from column ") +
             (EnglishInSecondColumn(read.entries) != request.swap ? "2" : "1") + (request.swap ? " (--swap)" : "") + ".\n";
    list(("Skipped " + Thousands(static_cast<long long>(skipped.size())) + (skipped.size() == 1 ? " row:" : " rows:")).c_str(),
         skippedLines);
    list(("Merged " + Thousands(static_cast<long long>(bank.merged.size())) +
          " duplicate words (their meanings joined):").c_str(),
         bank.merged);
    if (bank.leftOut > 0)
        s += "Left out " + Thousands(bank.leftOut) + " words past the first " + Thousands(kMaxImportedWords) +
             ", the most a word database holds.\n";
    for (const auto& note : read.notes) s += "Note: " + note + ".\n";
    if (read.format == Format::Edict)
        s += "The words come from EDICT, the Japanese-English dictionary of the Electronic Dictionary Research and "
             "Development Group, used under the Creative Commons Attribution-ShareAlike licence (CC BY-SA 3.0).\n";
    return out;
}

}  // namespace kelvora::import
