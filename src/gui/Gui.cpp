#include "Gui.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <map>

#include "Events.h"

namespace kelvora::gui {

Gui::Gui(Program& program) : program_(program) {
    form1_ = std::make_unique<FormWindow>(program.Form1, program.Form1.controls(), &program.Form1.surface);
    form2_ = std::make_unique<FormWindow>(program.Form2, program.Form2.controls(), &program.Form2.surface);
    form3_ = std::make_unique<FormWindow>(program.Form3, program.Form3.controls(), nullptr);
    WireForm1();
    WireForm2();
    WireForm3();
    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, [this] { Dispatch(form1::Timer1_Timer); });
    connect(&timer2_, &QTimer::timeout, this, [this] { Dispatch(form1::Timer2_Timer); });
    qApp->installEventFilter(this);
}

// The keys 1 to 4 and A to D answer like the buttons A to D, whichever
// control of the main window has the focus. Modifier combinations are left
// alone (Ctrl+letter belongs to the inert menu).
bool Gui::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != form1_.get()) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return QObject::eventFilter(watched, event);
    static void (*const answers[4])(Program&) = {form1::Command1_Click, form1::Command2_Click,
                                                 form1::Command3_Click, form1::Command4_Click};
    int position = -1;
    if (key->key() >= Qt::Key_1 && key->key() <= Qt::Key_4) position = key->key() - Qt::Key_1;
    if (key->key() >= Qt::Key_A && key->key() <= Qt::Key_D) position = key->key() - Qt::Key_A;
    if (position < 0) return QObject::eventFilter(watched, event);
    // Claim the key before any shortcut or text box sees it, then answer
    // once, on the press itself.
    event->accept();
    if (event->type() == QEvent::KeyPress && !key->isAutoRepeat()) Dispatch(answers[position]);
    return true;
}

Gui::~Gui() = default;

void Gui::WireForm1() {
    FormWindow& w = *form1_;
    w.onClick = [this](const std::string& name) {
        static const std::map<std::string, void (*)(Program&)> handlers{
            {"Command1", form1::Command1_Click}, {"Command2", form1::Command2_Click},
            {"Command3", form1::Command3_Click}, {"Command4", form1::Command4_Click},
            {"Command5", form1::Command5_Click}, {"Command6", form1::Command6_Click},
            {"Command7", form1::Command7_Click}, {"Command8", form1::Command8_Click},
            {"Command9", form1::Command9_Click},
        };
        if (const auto it = handlers.find(name); it != handlers.end()) Dispatch(it->second);
    };
    w.onPaint = [this] { Dispatch(form1::Form_Paint); };
    w.onWindowEvent = [this](WindowEvent e) {
        switch (e) {
            case WindowEvent::Activate: Dispatch(form1::Form_GotFocus); break;
            case WindowEvent::Deactivate: Dispatch(form1::Form_LostFocus); break;
            case WindowEvent::Resize: Dispatch(form1::Form_Resize); break;
            case WindowEvent::Close: Dispatch(form1::Form_Unload); break;
        }
    };
    // The inert "dmy" menu: it owns the Ctrl+letter shortcuts and does
    // nothing with them. It stays off the menu bar, and text boxes keep
    // their own Ctrl+C, Ctrl+V and the like.
    for (const MenuItem& item : program_.Form1.menu) {
        auto* action = new QAction(QString::fromStdString(item.caption), &w);
        action->setObjectName(QString::fromStdString(program_.Form1.menuName + "_" + item.name));
        action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
        action->setShortcutContext(Qt::WindowShortcut);
        w.addAction(action);
    }
}

void Gui::WireForm2() {
    form2_->onClick = [this](const std::string& name) {
        if (name == "Command1") Dispatch(form2::Command1_Click);
    };
    form2_->onWindowEvent = [this](WindowEvent e) {
        if (e == WindowEvent::Deactivate) Dispatch(form2::Form_Deactivate);
        if (e == WindowEvent::Close) {
            program_.Form2.visible = false;
            SyncAll();
        }
    };
}

void Gui::WireForm3() {
    form3_->onClick = [this](const std::string& name) {
        if (name == "Command1") Dispatch(form3::Command1_Click);
        else if (name == "Command2") Dispatch(form3::Command2_Click);
        else if (name == "Command3") Dispatch(form3::Command3_Click);
    };
    form3_->onWindowEvent = [this](WindowEvent e) {
        if (e == WindowEvent::Deactivate) Dispatch(form3::Form_LostFocus);
        // Closed by its frame: hidden, and its controls keep their values,
        // since the quiz reads them as live settings.
        if (e == WindowEvent::Close) {
            program_.Form3.visible = false;
            SyncAll();
        }
    };
}

bool Gui::Load() {
    const bool alive = Dispatch(form1::Form_Load);
    if (alive) {
        // The main window appears once loading is done; the comment
        // window sits beside it.
        program_.Form1.visible = true;
        SyncAll();
        form2_->move(form1_->frameGeometry().right() + 8, form1_->geometry().top());
        // The setup dialog opens over the main window, a little below its
        // title, where the learner's eyes already are.
        form3_->move(form1_->geometry().topLeft() + QPoint(24, 24));
        form1_->activateWindow();
    }
    return alive;
}

bool Gui::Dispatch(void (*handler)(Program&)) {
    if (ended_) return false;
    if (busy_) return true;  // a message box is open: the event is dropped
    busy_ = true;
    try {
        handler(program_);
    } catch (const ProgramEnd&) {
        busy_ = false;
        EndProgram();
        return false;
    }
    busy_ = false;
    SyncAll();
    return true;
}

void Gui::EndProgram() {
    ended_ = true;
    timer1_.stop();
    timer2_.stop();
    form3_->hide();
    form2_->hide();
    form1_->hide();
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
