// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Progress" window: charts of the session history, drawn with Qt
// Charts. It lives in a library of its own (libkelvora_progress.so), loaded
// when the window first opens, so start-up never pays for the charts.
#include <QWidget>
#include <array>
#include <cstdint>
#include <vector>

#include "model/Session.h"

namespace kelvora::progress {

struct Data {
    std::vector<SessionRecord> sessions;            // oldest first
    std::array<std::array<int, 6>, 2> spread{};     // today's word scores, by direction and bucket
    std::array<const char*, 6> bucketNames{};
};

// The entry point the library exports, by this name.
using MakeWindow = QWidget* (*)(const Data& data, QWidget* parent);
inline constexpr const char* kMakeWindowSymbol = "kelvora_progress_window";
inline constexpr const char* kLibraryFile = "libkelvora_progress.so";

}  // namespace kelvora::progress
