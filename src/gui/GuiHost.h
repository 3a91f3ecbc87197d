// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>

#include "platform/Host.h"

class QWidget;

namespace kelvora::gui {

// Message boxes, the beep and the clock of the desktop.
class GuiHost : public Host {
public:
    void Beep() override;
    std::string TimeOfDay() override;

    // Called before a message box opens, so the windows show the state the
    // message speaks about; returns the window to centre it on.
    std::function<QWidget*()> beforeMessage;
    // Called once the message box has closed.
    std::function<void()> afterMessage;

protected:
    void ShowMessage(const std::string& text) override;
};

}  // namespace kelvora::gui
