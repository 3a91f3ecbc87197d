// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Kelvora's own settings, in a file of their own (kelvora.conf), so the
// settings file every Kelvora reads (qbx.txt) keeps its bytes.
#include <string>
#include <vector>

namespace kelvora {

struct OwnSettings {
    // The chance of recall at which a word comes back, from 0.70 to 0.97.
    double desiredRetention = 0.90;
    // How many words never reviewed mode 5 brings in a learning day.
    int newCardsPerDay = 20;
    // Words without a recording are spoken by the speech engine.
    bool speakWords = false;
    // The pace of the answer countdowns: 1, 2, 5 or 10 times the usual
    // time, or kNoTimeLimit.
    int timeScale = 1;
    // The columns the Words window hides, by name.
    std::vector<std::string> wordsHiddenColumns;
};

inline constexpr int kNoTimeLimit = 0;
// The paces a learner can choose, from the usual to none.
inline constexpr int kTimeScales[] = {1, 2, 5, 10, kNoTimeLimit};

inline constexpr double kLowestRetention = 0.70;
inline constexpr double kHighestRetention = 0.97;
inline constexpr int kMostNewCardsPerDay = 9999;

}  // namespace kelvora
