#pragma once
// The program's windows and timers around one Program. Every event goes
// through Dispatch: one event at a time, so while a message box is open no
// other event (timers included) reaches the program.
#include <QObject>
#include <QTimer>
#include <memory>

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
    bool Dispatch(void (*handler)(Program&));

    bool ended() const { return ended_; }
    FormWindow& form1() { return *form1_; }
    FormWindow& form2() { return *form2_; }
    FormWindow& form3() { return *form3_; }
    QWidget* ActiveWindowForMessages() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void programEnded();

private:
    void WireForm1();
    void WireForm2();
    void WireForm3();
    void SyncTimer(QTimer& timer, const TimerModel& model, TimerModel& shown);
    void EndProgram();

    Program& program_;
    std::unique_ptr<FormWindow> form1_, form2_, form3_;
    QTimer timer1_, timer2_;
    TimerModel shown1_{-1, false}, shown2_{-1, false};
    bool busy_ = false;
    bool ended_ = false;
};

}  // namespace kelvora::gui
