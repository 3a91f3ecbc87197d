// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Says to assistive tools what the program announced (Program::announcement):
// a question that came up (the main window's description) and a verdict
// (the verdict label's name, with an alert). The focus then rests on the
// main window itself, where a stray Space or Enter does nothing, if it was
// anywhere in the main window, and is taken again so that a screen reader
// speaks the new description.
#include <QObject>

#include "FormWindow.h"
#include "Program.h"

namespace kelvora::gui {

class Announcer : public QObject {
    Q_OBJECT
public:
    Announcer(const Program& program, FormWindow& mainWindow, FormWindow& commentWindow);
    // After every event: cheap when nothing new was announced.
    void Update();

signals:
    void announced(const QString& speech);

private:
    const Program& program_;
    FormWindow& main_;
    FormWindow& comment_;
    int said_ = 0;
};

}  // namespace kelvora::gui
