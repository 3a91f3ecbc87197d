// The three windows as laid out at design time.
#include "Fixture.h"
#include "platform/ControlFactory.h"

namespace kelvora::test {
namespace {

struct Row {
    Control* control;
    const char* text;
    Geometry geometry;
    std::optional<FontSpec> font;
    int tab;
};

void Check(const std::vector<Row>& rows) {
    for (const auto& r : rows) {
        SCOPED_TRACE(r.control->name);
        EXPECT_EQ(r.text, r.control->text);
        EXPECT_EQ(r.geometry, r.control->geometry);
        EXPECT_EQ(r.font, r.control->font);
        EXPECT_EQ(r.tab, r.control->tabIndex);
    }
}

TEST(Layout, MainWindow) {
    RecordingHost h;
    RecordingPlayer pl;
    Program p(h, pl);
    Form1Model& f = p.Form1;
    EXPECT_EQ(4620, f.clientWidth);
    EXPECT_EQ(4650, f.clientHeight);
    const FontSpec big{kPGothic, 12, true, false}, choice{kPGothic, 11.25, true, false},
        answer{kPGothic, 9, true, false};
    Check({
        {&f.Text1, "問題\r\n\r\n下のstartボタンを押すと\r\n開始します\r\n", {120, 120, 4455, 1975}, big, 0},
        {&f.Text2, "この選択肢の", {720, 2200, 3855, 375}, choice, 1},
        {&f.Text3, "中から", {720, 2680, 3855, 375}, choice, 2},
        {&f.Text4, "解答を選択して", {720, 3160, 3855, 375}, choice, 3},
        {&f.Text5, "←該当のボタンを押す", {720, 3640, 3855, 375}, choice, 4},
        {&f.Command1, "A", {120, 2200, 495, 375}, answer, 5},
        {&f.Command2, "B", {120, 2680, 495, 375}, answer, 6},
        {&f.Command3, "C", {120, 3160, 495, 375}, answer, 7},
        {&f.Command4, "D", {120, 3640, 495, 375}, answer, 8},
        {&f.Command5, "END", {3480, 4120, 1095, 375}, std::nullopt, 9},
        {&f.Command6, "Stop", {2280, 4120, 495, 375}, std::nullopt, 10},
        {&f.Command7, "Start", {1200, 4120, 975, 375}, std::nullopt, 11},
        {&f.Command8, "Setup", {620, 4120, 550, 375}, std::nullopt, 12},
        {&f.Label1, "", {120, 4120, 495, 375}, big, 13},
        {&f.Command9, "CHK", {2880, 4120, 495, 375}, std::nullopt, 14},
        {&f.Label2, "問題", {120, 15000, 4300, 1900}, big, 15},
    });
    EXPECT_EQ(1000, f.Timer1.interval);
    EXPECT_TRUE(f.Timer1.enabled);
    EXPECT_EQ(0, f.Timer2.interval);
    EXPECT_TRUE(f.Timer2.enabled);
    EXPECT_EQ(f.choiceBox(2), &f.Text4);
    EXPECT_EQ(f.answerButton(3), &f.Command4);
    EXPECT_EQ(nullptr, f.answerButton(4));
    ASSERT_EQ(26u, f.menu.size());
    EXPECT_EQ("dmy", f.menuName);
    EXPECT_EQ("a(&a)", f.menu[0].caption);
    EXPECT_EQ("k(&k)", f.menu[10].caption);
    EXPECT_EQ("l", f.menu[11].caption);
    EXPECT_EQ("Ctrl+Z", f.menu[25].shortcut);
}

TEST(Layout, CommentWindow) {
    RecordingHost h;
    RecordingPlayer pl;
    Program p(h, pl);
    Form2Model& f = p.Form2;
    EXPECT_EQ("Comment", f.caption);
    EXPECT_EQ(5280, f.clientWidth);
    EXPECT_EQ(3975, f.clientHeight);
    Check({
        {&f.Text1, "結果や解説がここに表示されます\r\n", {120, 120, 5055, 3255}, std::nullopt, 0},
        {&f.Label1, "", {120, 3480, 855, 375}, FontSpec{kPGothic, 11.25, true, false}, 1},
        {&f.Command1, "Continue", {4200, 3480, 975, 255}, std::nullopt, 2},
    });
    EXPECT_FALSE(f.Command1.visible);
}

TEST(Layout, SetupDialog) {
    RecordingHost h;
    RecordingPlayer pl;
    Program p(h, pl);
    Form3Model& f = p.Form3;
    EXPECT_EQ("Setup", f.caption);
    EXPECT_EQ(5940, f.clientWidth);
    EXPECT_EQ(4710, f.clientHeight);
    EXPECT_FALSE(f.visible);
    const auto none = std::nullopt;
    Check({
        {&f.Label1, "Word Database", {120, 120, 2055, 255}, none, 0},
        {&f.Text1, "Text1", {120, 480, 2175, 3015}, none, 1},
        {&f.Label2, "Test Database", {2520, 120, 2295, 255}, none, 2},
        {&f.Text2, "Text2", {2400, 480, 3375, 3015}, none, 3},
        {&f.Check1, "Use word test", {240, 3600, 1695, 375}, none, 4},
        {&f.Check2, "Use test data", {2520, 3600, 1455, 375}, none, 5},
        {&f.Frame1, "Wait", {3960, 3600, 1935, 615}, none, 6},
        {&f.Option1, "20sec", {120, 240, 855, 255}, none, 7},
        {&f.Option2, "30sec", {960, 240, 855, 255}, none, 8},
        {&f.Text3, "2", {240, 4080, 615, 375}, none, 9},
        {&f.Command3, "FIX Data merge", {1320, 4080, 1335, 255}, none, 10},
        {&f.Check3, "Auto FIX patch", {1320, 4320, 1575, 255}, none, 11},
        {&f.Command2, "Quit", {3720, 4320, 975, 375}, none, 12},
        {&f.Command1, "Save ", {4800, 4320, 975, 375}, none, 13},
    });
    EXPECT_EQ("拡張子”TXT\"は含めないで下さい", f.Text1.hint);
    EXPECT_EQ(f.Text1.hint, f.Text2.hint);
    EXPECT_TRUE(f.Text1.verticalScroll);
    EXPECT_EQ("Frame1", f.Option2.parent);
}

}  // namespace
}  // namespace kelvora::test
