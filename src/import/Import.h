// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Importing word lists from the formats learners already have into a word
// database: CSV and tab-separated text, the notes export of flash-card
// programs, KVTML 2 files, and the EDICT Japanese-English dictionary.
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "CommonWords.h"

namespace kelvora::import {

enum class Format { Detect, Csv, Tsv, Notes, Kvtml, Edict };

// One pair of texts read from the source, with the line it starts on.
struct Entry {
    int line = 0;
    std::string first, second;  // in the source's order
};

// A row of the source that gives no word, and why.
struct Skipped {
    int line = 0;
    std::string reason;
};

// What a reader made of the source.
struct ReadResult {
    Format format = Format::Detect;  // the format it was read as
    std::string encoding;            // the encoding it was read in
    std::vector<Entry> entries;
    std::vector<Skipped> skipped;
    std::vector<std::string> notes;  // things done to every row, said once
    std::string error;               // the source could not be read at all
    bool undecodable = false;        // for want of an encoding Kelvora knows
};

// Source bytes to UTF-8: a byte-order mark (UTF-8, UTF-16 LE or BE), else
// valid UTF-8, else EUC-JP or code page 932, whichever the bytes are.
// Sets *encoding to the name of what it took.
std::optional<std::string> DecodeSource(const std::string& bytes, std::string* encoding);

// Reads text in a format (Detect: from the content).
ReadResult ReadEntries(const std::string& text, Format format);
// The same from a source's bytes, in any encoding DecodeSource knows.
ReadResult ReadSourceText(const std::string& bytes, Format format);
// Reads the EDICT dictionary (its bytes, EUC-JP): the English glosses of
// one word, common entries first, each with its Japanese headwords.
ReadResult ReadEdict(const std::string& bytes, std::size_t wantedWords);

struct Request;

// A source format: one row says everything the import does differently
// for it. A new format is a row of the table (Formats.cpp), its reader,
// and its fuzz target.
struct FormatRow {
    Format format;
    const char* option;    // its name for --format
    const char* name;      // as the summary names it
    const char* patterns;  // its files in the import dialog's filter ("" : none of their own)
    // Whether text whose first 4 KB is `head` is in this format; none: read
    // so only when named. Formats are tried in the table's order.
    bool (*detect)(const std::string& head);
    // The entries from the source's bytes.
    ReadResult (*read)(const std::string& bytes, const Request& request);
    // Two columns, the English one found from the content (--swap takes
    // the other); else the reader knows which is which.
    bool twoColumns;
    // A source of its own when none is given, and the package that
    // installs it; "" : none.
    const char* source;
    const char* package;
};

// Every format, in the order detection tries them.
std::span<const FormatRow> Formats();
const FormatRow& RowOf(Format format);
// The row --format names; nothing for a name no row has.
const FormatRow* FormatNamed(const std::string& option);
// "csv, tsv, notes, kvtml or edict"
std::string FormatOptions();
// The import dialog's filter: "Word lists (*.csv ...);;All files (*)".
std::string DialogFilter();

struct Request {
    std::filesystem::path source;  // empty with --edict: the installed dictionary
    std::string name;              // the word database's name, without ".txt"
    std::filesystem::path folder;  // the data folder
    Format format = Format::Detect;
    bool swap = false;   // take the other column as the English one
    bool force = false;  // replace an existing NAME.txt
    std::size_t edictWords = 0;  // with --edict: how many words
    // With --common: the ranks of the most frequent English words to take,
    // from 1 (the most frequent); commonTo 0: not asked.
    std::size_t commonFrom = 0, commonTo = 0;
    CommonSources commonSources = {};
};

struct Outcome {
    int status = 0;      // 0: words written; 1: nothing imported or bad input
    int written = 0;     // words in the database, the end record not counted
    std::string summary; // for the learner, lines ending in "\n"
};

// Reads the source, builds the word database and writes NAME.txt in the
// folder (atomically; an existing one only with force). Nothing else in
// the folder changes.
Outcome Run(const Request& request);

// Whether the word database the request would write is there already.
bool DatabaseExists(const Request& request);

// The summary cut to a screenful, for a message box.
std::string ScreenSummary(const Outcome& outcome);

// The word database's text from entries already read: sorted by the
// lower-cased word, duplicates merged, rows a word database cannot hold
// skipped, at most 20,000 words and the end record. Exposed for tests.
struct Bank {
    std::string text;  // UTF-8, CR LF
    int words = 0;
    std::vector<Skipped> skipped;
    std::vector<std::string> merged;  // "line 9: 'apple', first on line 3"
    int leftOut = 0;                  // words past the limit
};
Bank BuildBank(const ReadResult& read, const std::string& name, bool swap);

inline constexpr const char* kEdictFile = "/usr/share/edict/edict";
inline constexpr std::size_t kMaxImportedWords = 20000;

}  // namespace kelvora::import
