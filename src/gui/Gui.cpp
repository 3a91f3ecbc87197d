// SPDX-License-Identifier: GPL-3.0-or-later
#include "Gui.h"

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLibrary>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QAccessible>
#include <QAction>
#include <QElapsedTimer>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>

#include "Events.h"
#include "Import.h"
#include "Progress.h"
#include "SqliteHistory.h"
#include "judge/Reports.h"
#include "present/Speech.h"
#include "setup/SetupDialog.h"
#include "text/Utf8.h"

namespace kelvora::gui {

Gui::Gui(Program& program) : program_(program) {
    form1_ = std::make_unique<FormWindow>(program.Form1, program.Form1.controls(), &program.Form1.surface);
    form2_ = std::make_unique<FormWindow>(program.Form2, program.Form2.controls(), &program.Form2.surface);
    form3_ = std::make_unique<FormWindow>(program.Form3, program.Form3.controls(), nullptr);
    Wire(*form1_, MainWindowBindings(program));
    Wire(*form2_, CommentWindowBindings(program));
    Wire(*form3_, SetupDialogBindings(program));
    AddInertMenu();
    AddOwnMenu();
    timer1_.setTimerType(Qt::PreciseTimer);
    connect(&timer1_, &QTimer::timeout, this, [this] { Dispatch(form1::Timer1_Timer); });
    connect(&timer2_, &QTimer::timeout, this, [this] { Dispatch(form1::Timer2_Timer); });
    qApp->installEventFilter(this);
}

// The keys 1 to 4 and A to D (with Shift or without) answer like the
// buttons A to D, whichever control of the main window has the focus. Other
// modifier combinations are left alone (Ctrl+letter belongs to the inert
// menu).
bool Gui::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != form1_.get()) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) != Qt::NoModifier)
        return QObject::eventFilter(watched, event);
    int position = -1;
    if (key->key() >= Qt::Key_1 && key->key() <= Qt::Key_4) position = key->key() - Qt::Key_1;
    if (key->key() >= Qt::Key_A && key->key() <= Qt::Key_D) position = key->key() - Qt::Key_A;
    if (position < 0) return QObject::eventFilter(watched, event);
    // Claim the key before any shortcut or text box sees it, then answer
    // once, on the press itself.
    event->accept();
    if (event->type() == QEvent::KeyPress && !key->isAutoRepeat()) Dispatch(kAnswerHandlers[position]);
    return true;
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

// The inert "dmy" menu: it owns the Ctrl+letter shortcuts and does nothing
// with them. It stays off the menu bar, and text boxes keep their own
// Ctrl+C, Ctrl+V and the like. The window owns the actions.
void Gui::AddInertMenu() {
    for (const MenuItem& item : program_.Form1.menu) {
        auto* action = new QAction(QString::fromStdString(item.caption), form1_.get());
        action->setObjectName(QString::fromStdString(program_.Form1.menuName + "_" + item.name));
        action->setShortcut(QKeySequence(QString::fromStdString(item.shortcut)));
        action->setShortcutContext(Qt::WindowShortcut);
        form1_->addAction(action);
    }
}

namespace {

// Moves a window so that its whole frame, title bar first, is on the
// screen it is on.
void KeepOnScreen(QWidget& w) {
    const QScreen* screen = w.screen();
    if (!screen) return;
    const QRect avail = screen->availableGeometry();
    const QRect frame = w.frameGeometry();
    const int x = std::clamp(frame.left(), avail.left(), std::max(avail.left(), avail.right() + 1 - frame.width()));
    const int y = std::clamp(frame.top(), avail.top(), std::max(avail.top(), avail.bottom() + 1 - frame.height()));
    if (QPoint(x, y) != frame.topLeft()) w.move(x, y);
}

}  // namespace

void Gui::AddOwnMenu() {
    auto* import = new QAction(QStringLiteral("Import a word list…"), form1_.get());
    import->setObjectName(QStringLiteral("importWordList"));
    import->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+I")));
    import->setShortcutContext(Qt::WindowShortcut);
    connect(import, &QAction::triggered, this, &Gui::ImportWordList);
    form1_->addAction(import);
    auto* progress = new QAction(QStringLiteral("Progress…"), form1_.get());
    progress->setObjectName(QStringLiteral("progress"));
    progress->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    progress->setShortcutContext(Qt::WindowShortcut);
    connect(progress, &QAction::triggered, this, &Gui::ShowProgress);
    form1_->addAction(progress);
    form1_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(form1_.get(), &QWidget::customContextMenuRequested, this, [this, import, progress](const QPoint& at) {
        QMenu menu(form1_.get());
        menu.addAction(import);
        menu.addAction(progress);
        menu.exec(form1_->mapToGlobal(at));
    });
}

// Import from the windows: a file, a name, the same summary as the command
// line's, then the offer to drill the new database at once. The program
// waits meanwhile, as it does for a message box.
void Gui::ImportWordList() {
    if (busy_ || ended_) return;
    busy_ = true;
    struct Release {
        bool& busy;
        ~Release() { busy = false; }
    } release{busy_};
    QWidget* parent = form1_.get();
    const QString source = QFileDialog::getOpenFileName(
        parent, QStringLiteral("Import a word list"), QDir::homePath(),
        QStringLiteral("Word lists (*.csv *.tsv *.txt *.kvtml *.xml);;All files (*)"));
    if (source.isEmpty()) return;
    QString name = QFileInfo(source).completeBaseName().simplified().replace(QLatin1Char('/'), QLatin1Char('-'));
    bool ok = false;
    name = QInputDialog::getText(parent, QStringLiteral("Import a word list"),
                                 QStringLiteral("Name of the new word database (saved as NAME.txt in the data folder):"),
                                 QLineEdit::Normal, name, &ok).trimmed();
    if (!ok || name.isEmpty()) return;
    import::Request request;
    request.source = source.toStdString();
    request.name = name.toStdString();
    request.folder = program_.dir;
    if (QFileInfo::exists(QString::fromStdString((program_.dir / (request.name + ".txt")).string()))) {
        if (QMessageBox::question(parent, QStringLiteral("Kelvora"),
                                  QStringLiteral("The word database %1.txt is there already. Replace it?").arg(name)) !=
            QMessageBox::Yes)
            return;
        request.force = true;
    }
    const import::Outcome outcome = import::Run(request);
    QMessageBox summary(outcome.status == 0 ? QMessageBox::Information : QMessageBox::Warning,
                        QStringLiteral("Kelvora"), QString::fromStdString(ClipForScreen(outcome.summary, 200, 40)),
                        QMessageBox::Ok, parent);
    summary.exec();
    if (outcome.status != 0) return;
    const auto choice = QMessageBox::question(
        parent, QStringLiteral("Kelvora"),
        QStringLiteral("Drill %1 now?\nKelvora saves the learning records as END does, puts %1 first in the "
                       "word-database list and starts again on it.")
            .arg(name));
    if (choice != QMessageBox::Yes) return;
    bool switched = false;
    busy_ = false;
    Dispatch([&](Program& p) { switched = SwitchWordDatabase(p, request.name); });
    if (switched) Restart();
}

// The charts of the history, in a window of their own. Their library (and
// Qt Charts with it) is loaded here, the first time, never at start-up.
void Gui::ShowProgress() {
    if (busy_ || ended_) return;
    if (!progressLibrary_.isLoaded()) progressLibrary_.setFileName(progressLibrary);
    const auto make = reinterpret_cast<progress::MakeWindow>(progressLibrary_.resolve(progress::kMakeWindowSymbol));
    if (!make) {
        QMessageBox::warning(form1_.get(), QStringLiteral("Kelvora"),
                             QStringLiteral("The Progress window cannot open: its library %1 is missing or damaged "
                                            "(%2). Reinstall Kelvora.")
                                 .arg(progressLibrary, progressLibrary_.errorString()));
        return;
    }
    progress::Data data;
    std::string error;
    data.sessions = ReadHistory(program_.dir / kHistoryFile, &error);
    data.spread = ScoreSpread(program_);
    std::copy(std::begin(kScoreBuckets), std::end(kScoreBuckets), data.bucketNames.begin());
    if (!error.empty())
        QMessageBox::warning(form1_.get(), QStringLiteral("Kelvora"),
                             QStringLiteral("The history (history.sqlite3) cannot be read: %1.\nThe charts show "
                                            "today's word scores only; the drill and the learning records work as "
                                            "before.")
                                 .arg(QString::fromStdString(error)));
    QWidget* window = make(data, form1_.get());
    window->show();
    window->raise();
}

// Starts Kelvora again as it was started, on the same folder, and ends
// this one. The folder is let go first, so the new one can take it.
void Gui::Restart() {
    program_.folderLock.Release();
    QProcess::startDetached(QCoreApplication::applicationFilePath(), QCoreApplication::arguments().mid(1));
    EndProgram();
}

bool Gui::Load() {
    const bool alive = Dispatch(form1::Form_Load);
    if (!alive) return false;
    SyncAll();
    // A window manager places the main window, and gives it its frame, only
    // once it is shown: wait for that (briefly) before placing the comment
    // window beside it.
    QElapsedTimer waited;
    waited.start();
    while (!form1_->windowHandle()->isExposed() && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 50);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    PlaceCommentWindow();
    form1_->activateWindow();
    return !ended_;
}

// The comment window stands beside the main window's frame, tops level:
// on the right, or on the left where the screen has no room on the right.
void Gui::PlaceCommentWindow() {
    KeepOnScreen(*form1_);
    const QRect main = form1_->frameGeometry();
    const int width = form2_->frameGeometry().width();
    QPoint at(main.right() + 1 + 8, main.top());
    if (const QScreen* screen = form1_->screen(); screen && at.x() + width > screen->availableGeometry().right() + 1)
        at.setX(main.left() - 8 - width);
    form2_->move(at);
    KeepOnScreen(*form2_);
}

// The setup dialog opens over the main window, a little below its title,
// where the learner's eyes already are.
void Gui::PlaceSetupDialog() {
    form3_->move(form1_->frameGeometry().topLeft() + QPoint(24, 24));
    KeepOnScreen(*form3_);
}

// What changed for a screen reader: a question that came up is spoken (the
// question, then the choices with their letters), and so is a verdict. The
// focus then rests on the main window itself, where a stray Space or Enter
// does nothing, if it was anywhere in the main window.
void Gui::Announce() {
    // Cheap on the one-second tick: two numbers compared, nothing built.
    const int state = program_.m.QuizState;
    const int before = announcedState_;
    announcedState_ = state;
    const bool newQuestion = state == 1 && program_.questionsShown != announcedQuestion_;
    if (!newQuestion && (state != 2 || before == 2)) return;
    if (state == 1) {
        announcedQuestion_ = program_.questionsShown;
        const QString question = QString::fromStdString(QuestionSpeech(program_));
        form1_->setAccessibleDescription(question);
        QAccessibleEvent changed(form1_.get(), QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&changed);
        emit announced(question);
    } else {
        QWidget* verdict = form2_->widget(program_.Form2.Label1);
        verdict->setAccessibleName(QStringLiteral("Verdict: ") + QString::fromStdString(VerdictSpeech(program_)));
        QAccessibleEvent named(verdict, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&named);
        QAccessibleEvent alert(verdict, QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
        emit announced(verdict->accessibleName());
    }
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == form1_.get()) {
        // Taken again, so that the reader speaks the window's description.
        if (focus == form1_.get()) form1_->clearFocus();
        form1_->setFocus(Qt::OtherFocusReason);
    }
}

bool Gui::Dispatch(const std::function<void(Program&)>& handler) {
    if (ended_) return false;
    if (busy_) return true;  // a message box is open: the event is dropped
    {
        // Whatever the handler throws, the next event gets in.
        busy_ = true;
        struct Release {
            bool& busy;
            ~Release() { busy = false; }
        } release{busy_};
        try {
            handler(program_);
        } catch (const ProgramEnd&) {
            EndProgram();
            return false;
        }
    }
    SyncAll();
    Announce();
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
    if (program_.Form3.visible && !form3_->isVisible()) PlaceSetupDialog();
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
