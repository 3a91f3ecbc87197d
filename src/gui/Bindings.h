// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which entry point of the program each window's controls and window
// events run: one table per window. Controls are named by their place in
// the control model, so a misspelt control or handler does not compile.
#include <vector>

#include "Events.h"

namespace kelvora::gui {

struct ClickBinding {
    const Control* control;
    EventHandler handler;
};

struct WindowBindings {
    std::vector<ClickBinding> clicks;
    EventHandler paint = nullptr;
    EventHandler activate = nullptr;
    EventHandler deactivate = nullptr;
    EventHandler resize = nullptr;
    EventHandler close = nullptr;
};

WindowBindings MainWindowBindings(const Program& p);
WindowBindings CommentWindowBindings(const Program& p);
WindowBindings SetupDialogBindings(const Program& p);

// The answer buttons' handlers, A to D, for the answer keys.
inline constexpr EventHandler kAnswerHandlers[4] = {form1::Command1_Click, form1::Command2_Click,
                                                    form1::Command3_Click, form1::Command4_Click};

}  // namespace kelvora::gui
