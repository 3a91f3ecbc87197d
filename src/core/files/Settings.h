// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "Program.h"
#include "files/LoadResult.h"

namespace kelvora {

inline const char* const kSettingsFile = "qbx.txt";

// The settings file's values, as read or about to be written.
struct SettingsData {
    double wordDbCount = 0;  // signed: the sign carries "Use word test"
    double testDbCount = 0;
    std::vector<std::string> wordDbNames;
    std::vector<std::string> testDbNames;
    double setupQmd = 0;
    double autoFix = 0;
    double waitSec = 0;
};

// Parses a settings text. With listsOnly it stops after the test-database
// names. On failure returns nothing and puts a message for the learner,
// naming the line, into *error.
std::optional<SettingsData> ParseSettings(const std::string& text, bool listsOnly, std::string* error);

// The file's text: counts, names, mode, Auto FIX patch, wait, "EOF"; every
// number in the free print format (blank or minus, digits, one blank).
std::string SettingsText(const SettingsData& s);

// Start-up's reading of the settings file into the settings and the setup
// dialog's two list boxes. Fails, changing nothing, on a file that is
// missing, ends early or holds a bad value: start-up never goes on with
// half a file.
LoadResult ReadSettings(Program& p);

// The setup dialog's "Quit": the two lists again from the file. On a
// failure the learner is told and nothing changes; returns whether it read.
bool ReadSettingsLists(Program& p);

}  // namespace kelvora
