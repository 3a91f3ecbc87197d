// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Words" window: the learner's word databases as a table to find,
// filter, sort, edit and export. It lives in a library of its own
// (libkelvora_words.so), loaded when the window first opens, so start-up
// never pays for it.
#include <QWidget>

#include <functional>

#include "Program.h"

namespace kelvora::words {

struct WindowHost {
    Program* program = nullptr;
    // Runs `work` on the program as one event, as a button of the main
    // window does; false when it cannot run now (a message box of the
    // drill is open, or the program is ending).
    std::function<bool(const std::function<void(Program&)>&)> run;
    // Calls `then` when the program ends (END, or its window closed),
    // while `window` lives.
    std::function<void(QWidget* window, std::function<void()> then)> whenProgramEnds;
};

// The entry point the library exports, by this name.
using MakeWindow = QWidget* (*)(const WindowHost& host, QWidget* parent);
inline constexpr const char* kMakeWindowSymbol = "kelvora_words_window";
inline constexpr const char* kLibraryFile = "libkelvora_words.so";

}  // namespace kelvora::words
