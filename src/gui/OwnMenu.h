// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window's own menu, as its context menu and on shortcuts the
// hidden menu does not use: "Import a word list…" (Ctrl+Shift+I) and
// "Progress…" (Ctrl+Shift+P).
#include <QLibrary>
#include <QObject>
#include <QString>

#include "Program.h"

class QAction;

namespace kelvora::gui {

class Gui;

class OwnMenu : public QObject {
public:
    OwnMenu(Gui& gui, Program& program);

    void ImportWordList();
    void ShowProgress();
    // Where the Progress window's library is; loaded at its first opening.
    QString progressLibrary;

private:
    QAction* AddAction(const QString& text, const char* name, const char* shortcut, void (OwnMenu::*slot)());

    Gui& gui_;
    Program& program_;
    QLibrary progress_;
};

}  // namespace kelvora::gui
