// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's windows and timers around one Program.
//
// The path of one event: a Qt signal or event (a click, a timer, a key,
// closing a window) finds its entry point in the window's table
// (Bindings.h) and goes through Dispatch, which runs it on the Program and
// then brings every widget and timer up to date from the control models
// (SyncAll). One event at a time: while a message box is open no other
// event (timers included) reaches the program. Edits in text boxes, check
// boxes and options go straight into the control models (FormWindow).
#include <QLibrary>
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

#include "Bindings.h"
#include "FormWindow.h"
#include "Program.h"

namespace kelvora::gui {

class Gui : public QObject {
    Q_OBJECT
public:
    explicit Gui(Program& program);
    ~Gui() override;

    // Runs Form_Load; false when the program ended during it.
    bool Load();
    // Models to widgets and timers.
    void SyncAll();
    // Runs one event of the program; returns false once the program ended.
    bool Dispatch(const std::function<void(Program&)>& handler);

    // The main window's own menu (its context menu, and shortcuts the
    // hidden menu does not use): "Import a word list..." (Ctrl+Shift+I) and
    // "Progress..." (Ctrl+Shift+P).
    void ImportWordList();
    void ShowProgress();
    // Where the Progress window's library is; loaded at its first opening.
    QString progressLibrary;

    bool ended() const { return ended_; }
    FormWindow& form1() { return *form1_; }
    FormWindow& form2() { return *form2_; }
    FormWindow& form3() { return *form3_; }
    QWidget* ActiveWindowForMessages() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void programEnded();
    // What was just given to assistive tools to say, in order.
    void announced(const QString& speech);

private:
    void Wire(FormWindow& window, const WindowBindings& bindings);
    void AddInertMenu();
    void AddOwnMenu();
    void Restart();
    void SyncTimer(QTimer& timer, const TimerModel& model, TimerModel& shown);
    void EndProgram();
    void PlaceCommentWindow();
    void Announce();
    void PlaceSetupDialog();

    Program& program_;
    std::unique_ptr<FormWindow> form1_, form2_, form3_;
    QTimer timer1_, timer2_;
    TimerModel shown1_{-1, false}, shown2_{-1, false};
    QLibrary progressLibrary_;
    bool busy_ = false;
    int announcedState_ = 0;
    int announcedQuestion_ = 0;
    bool ended_ = false;
};

}  // namespace kelvora::gui
