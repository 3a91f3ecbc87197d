// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command-line verbs: import, history, reviews, due, fit, settings.
// They need no display and start no window.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "startup/CommandLine.h"

namespace kelvora::cli {

// The data folder the options name: the one given, the learner's own (made,
// and filled with the samples in `samples`, the first time) or the current
// one; nothing, and why in *failure, when the learner's own cannot be made.
std::optional<std::filesystem::path> ChosenFolder(const Options& options, const std::filesystem::path& samples,
                                                  std::string* failure);

struct Outcome {
    int status = 0;   // 0 done, 1 failed, 2 wrong usage
    std::string out;  // for standard output
    std::string err;  // for standard error, lines ending in "\n"
    bool data = false;  // `out` is data (CSV and the like), byte for byte; else a message
};

// Runs a verb; `now` is the time in Unix seconds. Messages come held to a
// screenful (30 lines of 200 characters, the rest counted), control
// characters shown escaped; data comes as it is.
Outcome RunVerb(const Options& options, const std::filesystem::path& samples, std::int64_t now);

}  // namespace kelvora::cli
