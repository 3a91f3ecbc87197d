// SPDX-License-Identifier: GPL-3.0-or-later
// The real windows under the offscreen platform.
#include <QAccessible>
#include <QAction>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QLibrary>
#include <QValueAxis>
#include <QXYSeries>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTableView>
#include <QTextCursor>

#include "Fixture.h"
#include "Fonts.h"
#include "Events.h"
#include "Gui.h"
#include "Progress.h"
#include "platform/Codec.h"
#include "present/QuestionText.h"
#include "text/Numbers.h"

namespace kelvora::test {
namespace {

struct GuiFixture : ProgramFixture {
    std::unique_ptr<gui::Gui> g;
    void SetUp() override {
        WriteStandardFiles(11, 30);
        g = std::make_unique<gui::Gui>(p);
        ASSERT_TRUE(g->Load());
    }
    template <class W>
    W* Widget(gui::FormWindow& w, const char* name) {
        auto* widget = qobject_cast<W*>(w.widget(name));
        EXPECT_NE(nullptr, widget) << name;
        return widget;
    }
    // Dark pixels in a rectangle of the window's own painting.
    int DarkPixels(gui::FormWindow& w, QRect area) {
        const QImage image = w.grab().toImage();
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (qGray(image.pixel(x, y)) < 100) ++dark;
        return dark;
    }
};

TEST_F(GuiFixture, MainWindowShowsItsControlTable) {
    gui::FormWindow& w = g->form1();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(QString::fromUtf8("Kelvora  Ver1.40"), w.windowTitle());
    EXPECT_EQ(QSize(308, 310), w.size());
    const struct {
        const char* name;
        QRect rect;
        const char* text;
    } rows[] = {
        {"Text5", {48, 243, 257, 25}, "←該当のボタンを押す"},
        {"Command1", {8, 147, 33, 25}, "A"},
        {"Command5", {232, 275, 73, 25}, "END"},
        {"Command8", {41, 275, 37, 25}, "Setup"},
        {"Label1", {8, 275, 33, 25}, ""},
    };
    for (const auto& r : rows) {
        QWidget* widget = w.widget(r.name);
        ASSERT_NE(nullptr, widget) << r.name;
        EXPECT_EQ(r.rect, widget->geometry()) << r.name;
        QString text;
        if (auto* b = qobject_cast<QPushButton*>(widget)) text = b->text();
        if (auto* t = qobject_cast<QLineEdit*>(widget)) text = t->text();
        if (auto* l = qobject_cast<QLabel*>(widget)) text = l->text();
        EXPECT_EQ(QString::fromUtf8(r.text), text) << r.name;
    }
    auto* text1 = Widget<QPlainTextEdit>(w, "Text1");
    EXPECT_EQ(QRect(8, 8, 297, 132), text1->geometry());
    EXPECT_EQ(QString::fromUtf8("問題\n\n下のstartボタンを押すと\n開始します\n"), text1->toPlainText());
    EXPECT_TRUE(text1->isReadOnly());
    EXPECT_EQ(12, text1->font().pointSizeF());
    EXPECT_TRUE(text1->font().bold());
    EXPECT_EQ(11.25, w.widget("Text3")->font().pointSizeF());
    EXPECT_EQ(QString::fromUtf8("ＭＳ Ｐゴシック"), w.widget("Command2")->font().family());
    // The names resolve to the installed metric twins.
    EXPECT_EQ(QStringLiteral("IPAPGothic"), QFontInfo(w.widget("Command2")->font()).family());
    EXPECT_EQ(QStringLiteral("IPAGothic"), QFontInfo(gui::ToQFont({"ＭＳ ゴシック", 12, true, false})).family());
    EXPECT_FALSE(w.widget("Label2")->geometry().intersects(w.rect()));  // never seen
    // The inert menu: 26 Ctrl+letter shortcuts; then the program's own
    // menu, on keys the inert one leaves free.
    ASSERT_EQ(32, w.actions().size());
    std::string own;
    for (int i = 26; i < 32; ++i) own += w.actions()[i]->shortcut().toString().toStdString() + " ";
    // Speak words, import, progress, words, say it again, the next pace.
    EXPECT_EQ("Ctrl+Shift+S Ctrl+Shift+I Ctrl+Shift+P Ctrl+Shift+W Ctrl+Shift+R Ctrl+Shift+T ", own);
    EXPECT_EQ(QStringLiteral("a(&a)"), w.actions()[0]->text());
    EXPECT_EQ(QStringLiteral("k(&k)"), w.actions()[10]->text());
    EXPECT_EQ(QStringLiteral("l"), w.actions()[11]->text());
    EXPECT_EQ(QKeySequence(QStringLiteral("Ctrl+Z")), w.actions()[25]->shortcut());

    gui::FormWindow& c = g->form2();
    EXPECT_TRUE(c.isVisible());
    EXPECT_EQ(QStringLiteral("Comment"), c.windowTitle());
    EXPECT_EQ(QSize(352, 265), c.size());
    EXPECT_FALSE(c.widget("Command1")->isVisibleTo(&c));
    EXPECT_FALSE(g->form3().isVisible());
}

// The comment window is first shown where it stays, beside the main window
// and level with its top, once the main window is up.
using GuiStartup = ProgramFixture;

TEST_F(GuiStartup, TheCommentWindowFirstShowsBesideTheMainWindow) {
    WriteStandardFiles(11, 30);
    gui::Gui gui(p);
    struct FirstShow : QObject {
        QPoint at{-1, -1};
        bool mainShown = false;
        QWidget* main = nullptr;
        bool eventFilter(QObject* o, QEvent* e) override {
            if (e->type() == QEvent::Show && at == QPoint(-1, -1)) at = static_cast<QWidget*>(o)->pos(), mainShown = main->isVisible();
            return false;
        }
    } first;
    first.main = &gui.form1();
    gui.form2().installEventFilter(&first);
    ASSERT_TRUE(gui.Load());
    EXPECT_TRUE(first.mainShown);
    EXPECT_EQ(gui.form2().pos(), first.at);
    EXPECT_EQ(gui.form1().frameGeometry().right() + 1 + 8, gui.form2().frameGeometry().left());
    EXPECT_EQ(gui.form1().frameGeometry().top(), gui.form2().frameGeometry().top());
}

TEST_F(GuiFixture, SetupDialogShowsTheSettingsKeepsEditsAndSavesWhatWasTyped) {
    QTest::mouseClick(g->form1().widget("Command8"), Qt::LeftButton);
    gui::FormWindow& s = g->form3();
    ASSERT_TRUE(s.isVisible());
    EXPECT_EQ(QSize(396, 314), s.size());
    auto* list = Widget<QPlainTextEdit>(s, "Text1");
    auto* mode = Widget<QLineEdit>(s, "Text3");
    EXPECT_EQ(QString::fromUtf8("\neword\nefix\netrain"), list->toPlainText());
    EXPECT_EQ(QStringLiteral(" 11"), mode->text());
    EXPECT_TRUE(Widget<QRadioButton>(s, "Option2")->isChecked());
    EXPECT_FALSE(Widget<QRadioButton>(s, "Option1")->isChecked());
    EXPECT_TRUE(Widget<QCheckBox>(s, "Check1")->isChecked());
    EXPECT_EQ(QString::fromUtf8("拡張子”TXT\"は含めないで下さい"), s.widget("Text2")->toolTip());

    // The learner's edits go straight into the live settings, also when an
    // assistive tool makes them.
    mode->selectAll();
    QTest::keyClicks(mode, "10");
    EXPECT_EQ("10", p.Form3.Text3.text);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(mode);
    ASSERT_TRUE(a->editableTextInterface());
    a->editableTextInterface()->replaceText(0, 2, QStringLiteral("22"));
    EXPECT_EQ("22", p.Form3.Text3.text);
    list->moveCursor(QTextCursor::End);
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClicks(list, "enew");
    QTest::mouseClick(Widget<QRadioButton>(s, "Option1"), Qt::LeftButton);
    QTest::mouseClick(Widget<QCheckBox>(s, "Check2"), Qt::LeftButton);
    EXPECT_EQ((std::vector<int>{1, 0, 0}), (std::vector<int>{p.Form3.Option1.value, p.Form3.Option2.value, p.Form3.Check2.value}));

    // Closed by its frame: hidden, and the edits stay.
    s.close();
    EXPECT_FALSE(s.isVisible());
    EXPECT_FALSE(p.Form3.visible);
    EXPECT_EQ("22", p.Form3.Text3.text);

    QTest::mouseClick(g->form1().widget("Command8"), Qt::LeftButton);
    host.Expect("設定を有効にするために、一度、 終了します。　起動できない場合はqbx.txtを修正してください");
    QTest::keyClick(s.widget("Command1"), Qt::Key_Space);
    EXPECT_TRUE(g->ended());
    EXPECT_EQ(" 4 \r\n-1 \r\neword\r\nefix\r\netrain\r\nenew\r\nptest\r\n 22 \r\n 0 \r\n 20 \r\nEOF\r\n",
              dir.ReadBytes("qbx.txt"));
}

TEST_F(GuiFixture, PaintsTheTestSentenceOnTheWindow) {
    p.Form1.Text1.visible = false;
    const QRect sentence(0, 0, 300, 60);
    g->SyncAll();
    EXPECT_EQ(0, DarkPixels(g->form1(), sentence));
    p.m.QuestionSentence = "I have a &pen& on the desk.";
    DrawQuestionText(p, p.m.QuestionSentence);
    g->SyncAll();
    EXPECT_GT(DarkPixels(g->form1(), sentence), 150);
}

// A close is never lost: one that comes while another event is under way
// (start-up, say) is held, and ends the program, unloading without saving,
// as soon as that event is done.
TEST_F(GuiFixture, ACloseDuringAnotherEventIsNeverLost) {
    g->Dispatch([&](Program&) {
        QCloseEvent close;
        QApplication::sendEvent(&g->form1(), &close);
        EXPECT_FALSE(g->ended());
    });
    EXPECT_TRUE(g->ended());
    EXPECT_FALSE(dir.Exists("eword.dat"));  // as a close does: nothing saved
    EXPECT_EQ("free", player.log.back());
}

// What assistive tools see: every control named, labels tied to their
// boxes, nothing off the window reported as showing.
TEST_F(GuiFixture, EveryControlHasANameForAssistiveTools) {
    const std::pair<gui::FormWindow*, std::vector<Control*>> windows[] = {
        {&g->form1(), p.Form1.controls()}, {&g->form2(), p.Form2.controls()}, {&g->form3(), p.Form3.controls()}};
    for (const auto& [window, controls] : windows)
        for (const Control* c : controls)
            EXPECT_FALSE(QAccessible::queryAccessibleInterface(window->widget(*c))->text(QAccessible::Name).isEmpty())
                << window->windowTitle().toStdString() << " " << c->name;
    auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
    EXPECT_EQ((QStringList{"Question", "Choice C", "Answer B", "Mode", "Results and commentary"}),
              (QStringList{name(g->form1().widget("Text1")), name(g->form1().widget("Text4")),
                           name(g->form1().widget("Command2")), name(g->form3().widget("Text3")),
                           name(g->form2().widget("Text1"))}));
    EXPECT_EQ(QStringLiteral("Save the learning records and quit"),
              QAccessible::queryAccessibleInterface(g->form1().widget("Command5"))->text(QAccessible::Description));
    // "Word Database" and "Test Database" label their lists.
    for (const auto& [label, box] : {std::pair{"Label1", "Text1"}, std::pair{"Label2", "Text2"}}) {
        const auto labels = QAccessible::queryAccessibleInterface(g->form3().widget(box))->relations(QAccessible::Label);
        ASSERT_EQ(1, labels.size()) << box;
        EXPECT_EQ(g->form3().widget(label), labels[0].first->object());
    }
    // The label placed below the window on purpose is not showing.
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(g->form1().widget("Label2"))->state().invisible);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(g->form1().widget("Label1"))->state().invisible);
}

// The question, the four choices with their letters, then the verdict
// and its count: given to assistive tools as the description of the main
// window and the name of the verdict, each with its accessibility event.
TEST_F(GuiFixture, AQuestionAndItsVerdictAreAnnouncedInOrder) {
    std::vector<std::string> spoken;
    QObject::connect(g.get(), &gui::Gui::announced, [&](const QString& s) { spoken.push_back(s.toStdString()); });
    p.Form3.Check2.value = 0;  // word questions
    p.Form3.Text3.text = "10";
    p.rng.Script({0.0, 0.0, 0.0, 0.0});  // row 0 ("apple"), direction 0, right answer on A
    host.Expect("問題数が少なすぎるため、正常な判定ができません");
    QTest::mouseClick(g->form1().widget("Command7"), Qt::LeftButton);
    ASSERT_EQ(RunState::AwaitingAnswer, p.m.QuizState);
    EXPECT_EQ(QStringLiteral("6"), Widget<QLabel>(g->form1(), "Label1")->text());
    EXPECT_EQ(QString::fromUtf8("Ａ"), Widget<QPushButton>(g->form1(), "Command1")->text());
    for (int i = 0; i < 3; ++i) g->Dispatch(form1::Timer1_Timer);  // the countdown is not announced
    // But it can be read at any moment: its name, value and text hold the
    // seconds left.
    QAccessibleInterface* countdown = QAccessible::queryAccessibleInterface(g->form1().widget("Label1"));
    EXPECT_EQ(QStringLiteral("3 seconds left"), countdown->text(QAccessible::Name));
    ASSERT_TRUE(countdown->valueInterface());
    EXPECT_EQ(3, countdown->valueInterface()->currentValue().toInt());
    ASSERT_TRUE(countdown->textInterface());
    EXPECT_EQ(QStringLiteral("3"), countdown->textInterface()->text(0, 1));
    QTest::mouseClick(g->form1().widget("Command1"), Qt::LeftButton);
    EXPECT_EQ(RunState::VerdictPause, p.m.QuizState);
    EXPECT_EQ(1, p.m.RunCorrect.value());
    EXPECT_EQ(QString::fromUtf8("○"), Widget<QPushButton>(g->form1(), "Command1")->text());
    EXPECT_EQ(QString::fromUtf8("○ 0"), Widget<QLabel>(g->form2(), "Label1")->text());
    const std::string question = "apple. A: りんご. B: " + p.Form1.Text3.text + ". C: " + p.Form1.Text4.text + ". D: " +
                                 p.Form1.Text5.text;
    EXPECT_EQ((std::vector<std::string>{question, "○ 0. Right."}), spoken);
    EXPECT_EQ(question, QAccessible::queryAccessibleInterface(&g->form1())->text(QAccessible::Description).toStdString());
    EXPECT_EQ("○ 0. Right.",
              QAccessible::queryAccessibleInterface(g->form2().widget("Label1"))->text(QAccessible::Name).toStdString());
}

// A whole session by keyboard: the focus never rests where a stray Space
// or Enter would restart the run or answer again.
TEST_F(GuiFixture, AKeyboardOnlySession) {
    gui::FormWindow& w = g->form1();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto tabTo = [&](QWidget* target) {
        for (int i = 0; i < 20 && QApplication::focusWidget() != target; ++i)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_Tab);
        ASSERT_EQ(target, QApplication::focusWidget());
    };
    auto key = [](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(k), m);
    };
    p.Form3.Check2.value = 0;
    p.Form3.Text3.text = "10";
    host.Expect("問題数が少なすぎるため、正常な判定ができません");
    tabTo(w.widget("Command7"));
    key(Qt::Key_Space);
    ASSERT_EQ(RunState::AwaitingAnswer, p.m.QuizState);
    EXPECT_EQ(&w, QApplication::focusWidget());  // not on Start any more
    const std::string question = p.Form1.Text1.text;
    key(Qt::Key_Space);
    key(Qt::Key_Return);
    EXPECT_EQ(question, p.Form1.Text1.text);  // the run was not restarted
    EXPECT_EQ(0, p.m.RunAsked);
    // Answers by every kind of key.
    const std::pair<int, Qt::KeyboardModifiers> answers[] = {
        {Qt::Key_1, Qt::NoModifier}, {Qt::Key_B, Qt::ShiftModifier}, {Qt::Key_3, Qt::KeypadModifier}, {Qt::Key_D, Qt::NoModifier}};
    for (const auto& [k, m] : answers) {
        for (int i = 0; i < 6 && p.m.QuizState != RunState::AwaitingAnswer; ++i) g->Dispatch(form1::Timer1_Timer);
        if (k == Qt::Key_3) {  // whichever control has the focus; Ctrl+letter stays inert
            w.widget("Text3")->setFocus();
            key(Qt::Key_A, Qt::ControlModifier);
            EXPECT_EQ(RunState::AwaitingAnswer, p.m.QuizState);
        }
        key(k, m);
        EXPECT_EQ(RunState::VerdictPause, p.m.QuizState) << k;
        EXPECT_EQ(&w, QApplication::focusWidget());
        key(Qt::Key_Space);  // stray: nothing
    }
    EXPECT_EQ(4, p.m.RunAsked);
    tabTo(w.widget("Command6"));  // Stop
    key(Qt::Key_Space);
    EXPECT_TRUE(p.Form2.Text1.visible);
    tabTo(w.widget("Command5"));  // END
    key(Qt::Key_Space);
    EXPECT_TRUE(g->ended());
    EXPECT_TRUE(dir.Exists("eword.dat"));
}

// Choices kept in Kelvora's own settings are the menu's state from the
// start, and its check items are switches to a screen reader.
struct GuiWithOwnSettings : GuiFixture {
    void SetUp() override {
        dir.WriteBytes("kelvora.conf", "speak_words = yes\ntime_scale = off\n");
        GuiFixture::SetUp();
    }
};

TEST_F(GuiWithOwnSettings, StoredChoicesAreCheckedAndEveryCheckItemIsASwitch) {
    QAction* speech = g->menu().speechItem();
    QAction* noLimit = g->menu().paceMenu()->findChild<QAction*>(QStringLiteral("noTimeLimit"));
    ASSERT_TRUE(noLimit);
    for (QAction* item : {speech, noLimit}) {
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(item);
        ASSERT_TRUE(a);
        EXPECT_EQ(QAccessible::CheckBox, a->role());
        EXPECT_TRUE(a->state().checkable);
        EXPECT_TRUE(a->state().checked) << item->text().toStdString();
    }
    EXPECT_EQ(QStringLiteral("No time limit"), QAccessible::queryAccessibleInterface(noLimit)->text(QAccessible::Name));
    // The menu gives its items as they are: check items.
    QAccessibleInterface* fromMenu = QAccessible::queryAccessibleInterface(g->menu().paceMenu())->child(4);
    ASSERT_TRUE(fromMenu);
    EXPECT_EQ(noLimit, fromMenu->object());
    EXPECT_EQ(QAccessible::CheckBox, fromMenu->role());

    // Without a limit: the countdown says so, and a question waits.
    p.Form3.Check2.value = 0;
    p.Form3.Text3.text = "10";
    p.rng.Script({0.0, 0.0, 0.0, 0.0});
    host.Expect("問題数が少なすぎるため、正常な判定ができません");
    QTest::mouseClick(g->form1().widget("Command7"), Qt::LeftButton);
    for (int i = 0; i < 100; ++i) g->Dispatch(form1::Timer1_Timer);
    EXPECT_EQ(RunState::AwaitingAnswer, p.m.QuizState);
    QAccessibleInterface* countdown = QAccessible::queryAccessibleInterface(g->form1().widget("Label1"));
    EXPECT_EQ(QStringLiteral("no time limit"), countdown->text(QAccessible::Name));
    EXPECT_FALSE(countdown->valueInterface()->currentValue().isValid());

    // The first Ctrl+Shift+S turns speech off; Ctrl+Shift+T goes on from
    // no limit to the usual one. Without the engine the item says why.
    QTest::keyClick(&g->form1(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(&g->form1(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ("speak_words = no\ntime_scale = 1\ndesired_retention = 0.90\nnew_cards_per_day = 20\n",
              dir.ReadBytes("kelvora.conf"));
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(speech)->state().checked);
    EXPECT_FALSE(noLimit->isChecked());
    EXPECT_TRUE(g->menu().paceMenu()->findChild<QAction*>(QStringLiteral("timeScale1"))->isChecked());
    player.canSpeak = false;
    g->menu().RefreshSpeechItem();
    EXPECT_FALSE(speech->isEnabled());
    EXPECT_EQ(QStringLiteral("Speak words without a recording (unavailable: no speech engine)"), speech->text());
}

// The Words window, as the learner reaches it: a find, a mark by its key,
// Save; the cells read with their column's header.
TEST_F(GuiFixture, TheWordsWindowFindsMarksAndSaves) {
    g->menu().wordsLibrary = QCoreApplication::applicationDirPath() + QStringLiteral("/libkelvora_words.so");
    QTest::keyClick(&g->form1(), Qt::Key_W, Qt::ControlModifier | Qt::ShiftModifier);
    auto* window = g->form1().findChild<QWidget*>(QStringLiteral("words"));
    ASSERT_TRUE(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    auto* count = window->findChild<QLabel*>(QStringLiteral("count"));
    auto* find = window->findChild<QLineEdit*>(QStringLiteral("find"));
    auto* table = window->findChild<QTableView*>(QStringLiteral("table"));
    EXPECT_EQ(QStringLiteral("3 of 3 words"), count->text());
    find->setText(QStringLiteral("ＢＡ"));  // as an input method gives it
    EXPECT_EQ(QStringLiteral("1 of 3 words"), count->text());
    EXPECT_EQ(QStringLiteral("Find"), QAccessible::queryAccessibleInterface(find)->text(QAccessible::Name));
    QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(table)->tableInterface()->cellAt(0, 1);
    ASSERT_TRUE(cell);
    EXPECT_EQ(QStringLiteral("銀行"), cell->text(QAccessible::Name));
    EXPECT_EQ(QStringLiteral("Meaning"), cell->tableCellInterface()->columnHeaderCells().at(0)->text(QAccessible::Name));
    QApplication::setActiveWindow(window);
    QTest::keyClick(find, Qt::Key_Return);
    EXPECT_EQ(table, QApplication::focusWidget());
    QTest::keyClick(window, Qt::Key_M, Qt::ControlModifier);
    QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(*EncodeCp932("apple,りんご\r\nbank *,銀行\r\nzzzzzzzz,終わり\r\n"), dir.ReadBytes("eword.txt"));
    EXPECT_EQ("0,0,0,0\r\n0,0,0,0\r\n0,0,0,0\r\n", dir.ReadBytes("eword.dat"));
    window->close();
}

// The Progress window from a prepared history: each chart's series hold
// the history's values, and a day without a session is a gap.
TEST(ProgressWindow, ChartsShowTheHistory) {
    QLibrary library(QCoreApplication::applicationDirPath() + QStringLiteral("/libkelvora_progress.so"));
    const auto make = reinterpret_cast<progress::MakeWindow>(library.resolve(progress::kMakeWindowSymbol));
    ASSERT_TRUE(make) << library.errorString().toStdString();
    ProgressData data;
    const std::int64_t day = 86400, start = QDateTime(QDate(2026, 3, 2), QTime(20, 0)).toSecsSinceEpoch();
    // Sessions on day 0 (two), day 1 and day 3; none on day 2.
    for (std::int64_t d : {0, 0, 1, 3}) {
        SessionRecord s;
        s.ended = start + d * day + static_cast<std::int64_t>(data.sessions.size()) * 60;
        s.wordAsked[0] = 10, s.wordRight[0] = 5, s.testAsked = 10, s.testRight = 10;
        s.known[0] = 100 + static_cast<int>(d) * 10, s.known[1] = 50;
        if (d == 3) s.estimates = {500, 550};
        data.sessions.push_back(s);
    }
    // Their questions, as the reviews and test questions count them.
    const std::int64_t first = QDate(1970, 1, 1).daysTo(QDate(2026, 3, 2));
    data.questionsPerDay = {{first, 40, 30}, {first + 1, 20, 15}, {first + 3, 20, 15}};
    data.spread = {{{1, 2, 3, 4, 5, 6}, {6, 5, 4, 3, 2, 1}}};
    data.today = QDate(1970, 1, 1).daysTo(QDate(2026, 3, 5));
    data.dueForecast[0] = 7, data.dueForecast[2] = 3, data.dueForecast[29] = 1;
    std::unique_ptr<QWidget> window(make(data, nullptr));
    auto view = [&](const char* name) { return window->findChild<QChartView*>(QString::fromLatin1(name))->chart(); };
    // Count axes end on round numbers: 0 to 40 by 10, 0 to 150 by 50.
    auto axis = [&](const char* name) {
        const auto* y = static_cast<QValueAxis*>(view(name)->axes(Qt::Vertical).front());
        return std::make_pair(y->max(), y->tickCount());
    };
    EXPECT_EQ(std::make_pair(40.0, 5), axis("questions-per-day"));
    EXPECT_EQ(std::make_pair(150.0, 4), axis("words-known"));
    auto points = [](QAbstractSeries* s) {
        std::vector<std::pair<qreal, qreal>> out;
        for (const QPointF& p : static_cast<QXYSeries*>(s)->points()) out.emplace_back(p.x(), p.y());
        return out;
    };

    // Questions per day: 40, 20, a gap, 20; the rate line breaks at the gap.
    const auto perDay = view("questions-per-day")->series();
    ASSERT_EQ(3, perDay.size());
    const QBarSet* questions = static_cast<QBarSeries*>(perDay[0])->barSets()[0];
    EXPECT_EQ((std::vector<qreal>{40, 20, 0, 20}), (std::vector<qreal>{questions->at(0), questions->at(1), questions->at(2), questions->at(3)}));
    EXPECT_EQ((std::vector<std::pair<qreal, qreal>>{{0, 75}, {1, 75}}), points(perDay[1]));
    EXPECT_EQ((std::vector<std::pair<qreal, qreal>>{{3, 75}}), points(perDay[2]));

    // The words due on each of the next 30 days, today first.
    const QBarSet* due = static_cast<QBarSeries*>(view("words-due")->series()[0])->barSets()[0];
    ASSERT_EQ(30, due->count());
    EXPECT_EQ((std::vector<qreal>{7, 0, 3}), (std::vector<qreal>{due->at(0), due->at(1), due->at(2)}));
    EXPECT_EQ(1, due->at(29));

    // With nothing to draw, each chart says so in a line.
    std::unique_ptr<QWidget> empty(make(ProgressData{}, nullptr));
    const std::pair<const char*, const char*> notes[] = {
        {"questions-per-day", "No questions answered yet"}, {"words-known", "No sessions yet"},
        {"score-estimates", "No test sessions yet"},        {"words-due", "No words due in the next 30 days"},
        {"words-recalled", "No words reviewed yet"},        {"word-scores-today", "No words in the word database"}};
    for (const auto& [name, note] : notes) {
        const auto* label = empty->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_TRUE(label) << name;
        EXPECT_EQ(QString::fromUtf8(note), label->accessibleDescription());
        EXPECT_TRUE(label->text().endsWith(QString::fromUtf8(note)));
    }
}

}  // namespace
}  // namespace kelvora::test

int main(int argc, char** argv) {
    // Widget tests never need a screen; test discovery runs without the
    // CTest environment, so default to the offscreen platform here too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kelvora::gui::InstallFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
