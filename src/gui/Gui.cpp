// SPDX-License-Identifier: GPL-3.0-or-later
#include "Gui.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QWindow>

#include "AnswerKeys.h"
#include "Bindings.h"
#include "Events.h"
#include "InertMenu.h"
#include "Placement.h"

namespace kelvora::gui {

namespace {

// Whatever the code in between throws, the flag goes down again.
struct BusyScope {
    explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    bool& flag_;
};

}  // namespace

Gui::Gui(Program& program) : program_(program) {
    form1_ = std::make_unique<FormWindow>(program.Form1, program.Form1.controls(), &program.Form1.surface);
    form2_ = std::make_unique<FormWindow>(program.Form2, program.Form2.controls(), &program.Form2.surface);
    form3_ = std::make_unique<FormWindow>(program.Form3, program.Form3.controls(), nullptr);
    Wire(*form1_, MainWindowBindings(program));
    Wire(*form2_, CommentWindowBindings(program));
    Wire(*form3_, SetupDialogBindings(program));
    AddInertMenu(*form1_, program.Form1);
    menu_ = std::make_unique<OwnMenu>(*this, program);
    keys_ = std::make_unique<AnswerKeys>(*form1_, [this](EventHandler h) { Dispatch(h); });
    announcer_ = std::make_unique<Announcer>(program, *form1_, *form2_);
    connect(announcer_.get(), &Announcer::announced, this, &Gui::announced);
    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, [this] { Dispatch(form1::Timer1_Timer); });
    connect(&timer2_, &QTimer::timeout, this, [this] { Dispatch(form1::Timer2_Timer); });
}

Gui::~Gui() = default;

void Gui::Wire(FormWindow& window, const WindowBindings& bindings) {
    for (const ClickBinding& click : bindings.clicks) {
        auto* button = qobject_cast<QAbstractButton*>(window.widget(*click.control));
        Q_ASSERT(button);
        connect(button, &QAbstractButton::clicked, this, [this, handler = click.handler] { Dispatch(handler); });
    }
    if (bindings.paint) window.onPaint = [this, handler = bindings.paint] { Dispatch(handler); };
    window.onWindowEvent = [this, bindings](WindowEvent e) {
        EventHandler handler = nullptr;
        switch (e) {
            case WindowEvent::Activate: handler = bindings.activate; break;
            case WindowEvent::Deactivate: handler = bindings.deactivate; break;
            case WindowEvent::Resize: handler = bindings.resize; break;
            case WindowEvent::Close: handler = bindings.close; break;
        }
        if (handler) Dispatch(handler);
    };
}

bool Gui::Load() {
    // The comment window is shown once it can be placed beside the main
    // window: it never appears elsewhere first, and the main window is up
    // without waiting for a second one.
    form2_->showHeld = true;
    const bool alive = Dispatch(form1::Form_Load);
    if (!alive) return false;
    menu_->Sync();
    SyncAll();
    // A window manager places the main window, and gives it its frame, only
    // once it is shown: wait for that (briefly) before placing the comment
    // window beside it.
    QElapsedTimer waited;
    waited.start();
    while (!form1_->windowHandle()->isExposed() && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    PlaceBeside(*form2_, *form1_);
    ShowHeldWindows();
    form1_->activateWindow();
    return !ended_;
}

void Gui::ShowHeldWindows() {
    if (!form2_->showHeld) return;
    form2_->showHeld = false;
    form2_->Sync();
}

void Gui::SetModal(bool open) {
    // A message box of start-up comes with every window it showed.
    if (open) ShowHeldWindows();
    modal_ = open;
}

bool Gui::Dispatch(const std::function<void(Program&)>& handler) {
    if (ended_) return false;
    if (modal_) return true;  // a message box is open: the event is dropped
    if (busy_) {              // another event is under way: this one waits its turn
        held_.push_back(handler);
        return true;
    }
    {
        BusyScope busy(busy_);
        try {
            handler(program_);
        } catch (const ProgramEnd&) {
            EndProgram();
            return false;
        }
    }
    SyncAll();
    announcer_->Update();
    while (!held_.empty()) {
        const auto next = std::move(held_.front());
        held_.pop_front();
        if (!Dispatch(next)) return false;
    }
    return true;
}

// The deck of a memory mode is made on a thread of its own; an event that
// may need it waits for it here, with the window answering meanwhile
// (events of the program itself are held until it is done).
bool Gui::Dispatch(EventHandler handler) {
    if (!Busy() && form1::WaitsForMemory(program_, handler)) {
        BusyScope busy(busy_);
        QEventLoop loop;
        QTimer poll;
        connect(&poll, &QTimer::timeout, &loop, [this, &loop, handler] {
            if (!form1::WaitsForMemory(program_, handler)) loop.quit();
        });
        poll.start(5);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return Dispatch(std::function<void(Program&)>(handler));
}

void Gui::WhileBusy(const std::function<void()>& f) {
    BusyScope busy(busy_);
    BusyScope modal(modal_);
    f();
}

void Gui::EndProgram() {
    ended_ = true;
    timer1_.stop();
    timer2_.stop();
    form3_->hide();
    form2_->hide();
    form1_->hide();
    // Started again as it was started, on the same folder, which the
    // program has let go of already.
    if (program_.restartWanted)
        QProcess::startDetached(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1));
    emit programEnded();
    QCoreApplication::exit(0);
}

void Gui::SyncTimer(QTimer& timer, const TimerModel& model, TimerModel& shown) {
    if (model.interval == shown.interval && model.enabled == shown.enabled) return;
    shown = model;
    // An interval of 0 never fires.
    if (model.enabled && model.interval > 0)
        timer.start(model.interval);
    else
        timer.stop();
}

void Gui::SyncAll() {
    if (ended_) return;
    SyncTimer(timer1_, program_.Form1.Timer1, shown1_);
    SyncTimer(timer2_, program_.Form1.Timer2, shown2_);
    form2_->Sync();
    if (program_.Form3.visible && !form3_->isVisible()) PlaceOver(*form3_, *form1_);
    form3_->Sync();
    form1_->Sync();
}

QWidget* Gui::ActiveWindowForMessages() const {
    if (QWidget* w = QApplication::activeWindow()) return w;
    if (form1_->isVisible()) return form1_.get();
    if (form2_->isVisible()) return form2_.get();
    return nullptr;
}

}  // namespace kelvora::gui
