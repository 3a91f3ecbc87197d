// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The own settings file: "key = value" lines, "#" comments. Lines Kelvora
// does not know are kept as they are when it writes the file.
#include <filesystem>
#include <string>
#include <vector>

#include "model/OwnSettings.h"

namespace kelvora {

inline constexpr const char* kOwnSettingsFile = "kelvora.conf";

struct OwnSettingsFile {
    OwnSettings settings;
    std::vector<std::string> lines;     // as read, without line ends
    std::vector<std::string> problems;  // for the learner, one a line: what was wrong and what is used instead
    bool unread = false;                // the file is there but could not be read: never write over it
    std::string lineEnd = "\n";         // as the file has them ("\r\n" kept)
};

OwnSettingsFile ReadOwnSettings(const std::filesystem::path& file);

struct Program;
// At start-up: the own settings into the program; what is wrong with the
// file is told, and the defaults stand in for it.
void LoadOwnSettings(Program& p);

// Writes one setting into the file (the rest of it kept as it is, its line
// ends too); a failure, or a file that could not be read (which is never
// written over), is told, and the setting holds until Kelvora ends.
void SaveOwnSetting(Program& p, const std::string& key, const std::string& value);

// A pace as the settings write it: "1", "2", "5", "10" or "off".
std::string TimeScaleText(int scale);

// Sets a key from its text ("desired_retention", "0.85"); why not, or
// nothing when set. The keys: desired_retention, new_cards_per_day,
// speak_words, time_scale.
std::string SetOwnSetting(OwnSettingsFile& f, const std::string& key, const std::string& value);

// The file's text: the lines read, with the known keys' values as they now
// stand (added at the end where missing).
std::string OwnSettingsText(const OwnSettingsFile& f);

}  // namespace kelvora
