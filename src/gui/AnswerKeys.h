// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys 1 to 4 and A to D (with Shift or without, and the keypad's)
// answer like the buttons A to D, whichever control of the main window has
// the focus. Other modifier combinations are left alone (Ctrl+letter
// belongs to the inert menu).
#include <QObject>
#include <functional>

#include "Events.h"

class QWidget;

namespace kelvora::gui {

class AnswerKeys : public QObject {
public:
    AnswerKeys(QWidget& mainWindow, std::function<void(EventHandler)> dispatch);
    ~AnswerKeys() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& main_;
    std::function<void(EventHandler)> dispatch_;
};

}  // namespace kelvora::gui
