// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Progress" window: charts of the session history, drawn with Qt
// Charts. It lives in a library of its own (libkelvora_progress.so), loaded
// when the window first opens, so start-up never pays for the charts.
#include <QWidget>

#include "model/Progress.h"

namespace kelvora::progress {

// The entry point the library exports, by this name.
using MakeWindow = QWidget* (*)(const ProgressData& data, QWidget* parent);
inline constexpr const char* kMakeWindowSymbol = "kelvora_progress_window";
inline constexpr const char* kLibraryFile = "libkelvora_progress.so";

}  // namespace kelvora::progress
