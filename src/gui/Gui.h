// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's windows and timers around one Program.
//
// The path of one event: a Qt signal or event (a click, a timer, a key,
// closing a window) finds its entry point in the window's table
// (Bindings.h) and goes through Dispatch, which runs it on the Program and
// then brings every widget and timer up to date from the control models
// (SyncAll) and says what the program announced (Announcer). One event at
// a time: while a message box is open no other event (timers included)
// reaches the program. Edits in text boxes, check boxes and options go
// straight into the control models (FormWindow).
#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

#include "Announcer.h"
#include "FormWindow.h"
#include "OwnMenu.h"
#include "Events.h"
#include "Program.h"

namespace kelvora::gui {

class AnswerKeys;

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
    // The same for an entry point; one that may ask the deck of a memory
    // mode still being made on its thread waits for it first, the window
    // answering meanwhile.
    bool Dispatch(EventHandler handler);
    // Whether an event would be dropped or held now (a message box or a
    // dialog of the program's own is open, or an event is under way).
    bool Busy() const { return busy_ || modal_ || ended_; }
    // Runs `f` with every event dropped meanwhile, as while a message box
    // is open.
    void WhileBusy(const std::function<void()>& f);
    // A message box opens (true) or has closed (false): events meanwhile
    // are dropped, as the box is modal for the whole program.
    void SetModal(bool open);
    // Shows a window held back while start-up placed it.
    void ShowHeldWindows();

    OwnMenu& menu() { return *menu_; }
    bool ended() const { return ended_; }
    FormWindow& form1() { return *form1_; }
    FormWindow& form2() { return *form2_; }
    FormWindow& form3() { return *form3_; }
    QWidget* ActiveWindowForMessages() const;

signals:
    void programEnded();
    // What was just given to assistive tools to say, in order.
    void announced(const QString& speech);

private:
    void Wire(FormWindow& window, const struct WindowBindings& bindings);
    void SyncTimer(QTimer& timer, const TimerModel& model, TimerModel& shown);
    void EndProgram();

    Program& program_;
    std::unique_ptr<FormWindow> form1_, form2_, form3_;
    std::unique_ptr<AnswerKeys> keys_;
    std::unique_ptr<Announcer> announcer_;
    std::unique_ptr<OwnMenu> menu_;
    QTimer timer1_, timer2_;
    TimerModel shown1_{-1, false}, shown2_{-1, false};
    bool busy_ = false;
    bool modal_ = false;
    bool ended_ = false;
    // Events that came while another ran (not under a message box): run
    // after it, in their order.
    std::deque<std::function<void(Program&)>> held_;
};

}  // namespace kelvora::gui
