// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command line, and which data folder Kelvora works on.
#include <filesystem>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kelvora {

struct Options {
    enum class Action { Run, Help, Version, Wrong, Import, History, Reviews, Due, Fit, Settings, Words };
    Action action = Action::Run;
    std::optional<std::filesystem::path> dataDir;  // --data-dir DIR
    bool userFolder = false;                       // --user
    std::string error;                             // for Wrong: what was wrong, one line

    // "import SOURCE NAME" and its options.
    std::string source, name;
    std::string format;            // --format: csv, tsv, notes, kvtml, edict; empty: from the content
    bool swap = false;             // --swap
    bool force = false;            // --force
    std::size_t edictWords = 0;    // --edict N
    std::size_t commonFrom = 0, commonTo = 0;  // --common N (1 to N) or --common FROM-TO

    std::optional<std::filesystem::path> importReviews;  // reviews --import FILE
    std::optional<std::int64_t> asOf;                     // due --as-of UNIX
    bool show = false;                                    // fit --show
    std::vector<std::string> setting;                     // settings [KEY VALUE]

    // "words": what to show, or the one edit to make.
    struct WordsEdit {
        enum class Kind { None, Add, Meaning, Rename, Delete, Mark, Unmark } kind = Kind::None;
        std::string word, value;  // the word, and the meaning or new word
    } wordsEdit;
    std::string find;             // words --find TEXT
    std::string filter;           // words --filter NAME
    std::string database;         // words --database NAME: another word database of the folder
};

// Reads the arguments after the program's name. Options a desktop's
// toolkit adds (-style, -platform, ...) are left to it.
Options ParseOptions(const std::vector<std::string>& args);

// What "--help" prints; `program` is the name it was started by.
// ("import --help" prints ImportHelpText.)
std::string HelpText(const std::string& program);
// `formats`: the names --format takes.
std::string ImportHelpText(const std::string& program, const std::string& formats);
// The ranks "--common" takes: "N" (1 to N) or "FROM-TO", up to 20000;
// nothing for anything else.
std::optional<std::pair<std::size_t, std::size_t>> ParseCommonRanks(const std::string& text);
// What "--version" prints.
std::string VersionText();

// The learner's own data folder: $XDG_DATA_HOME/kelvora, by default
// ~/.local/share/kelvora. Nothing when neither variable says where.
std::optional<std::filesystem::path> UserDataFolder(const char* xdgDataHome, const char* home);

// Makes the own data folder if need be and copies into it every sample
// file it does not hold yet: a file the learner has is never overwritten.
// On failure returns why, in a sentence for the learner.
std::optional<std::string> SeedDataFolder(const std::filesystem::path& folder, const std::filesystem::path& samples);

}  // namespace kelvora
