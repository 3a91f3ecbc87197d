// SPDX-License-Identifier: GPL-3.0-or-later
// The setup dialog as laid out at design time.
#include "layout/ControlFactory.h"
#include "model/Modes.h"

namespace kelvora {

Form3Model::Form3Model() {
    caption = "Setup";
    clientWidth = 5940;
    clientHeight = 4710;
    defaultFont = Font(kPGothic, 9, false);
    using K = ControlKind;
    const std::string hint = "拡張子”TXT\"は含めないで下さい";
    Label1 = MakeControl("Label1", K::Label, "Word Database", {120, 120, 2055, 255}, std::nullopt, 0);
    Text1 = MakeControl("Text1", K::TextBox, "Text1", {120, 480, 2175, 3015}, std::nullopt, 1);
    Text1.multiLine = Text1.verticalScroll = true;
    Text1.hint = hint;
    Label2 = MakeControl("Label2", K::Label, "Test Database", {2520, 120, 2295, 255}, std::nullopt, 2);
    Text2 = MakeControl("Text2", K::TextBox, "Text2", {2400, 480, 3375, 3015}, std::nullopt, 3);
    Text2.multiLine = Text2.verticalScroll = true;
    Text2.hint = hint;
    Check1 = MakeControl("Check1", K::CheckBox, "Use word test", {240, 3600, 1695, 375}, std::nullopt, 4);
    Check2 = MakeControl("Check2", K::CheckBox, "Use test data", {2520, 3600, 1455, 375}, std::nullopt, 5);
    Frame1 = MakeControl("Frame1", K::Frame, "Wait", {3960, 3600, 1935, 615}, std::nullopt, 6);
    Option1 = MakeControl("Option1", K::Option, "20sec", {120, 240, 855, 255}, std::nullopt, 7);
    Option1.parent = "Frame1";
    Option2 = MakeControl("Option2", K::Option, "30sec", {960, 240, 855, 255}, std::nullopt, 8);
    Option2.parent = "Frame1";
    Text3 = MakeControl("Text3", K::TextBox, "2", {240, 4080, 615, 375}, std::nullopt, 9);
    Command3 = MakeControl("Command3", K::Button, "FIX Data merge", {1320, 4080, 1335, 255}, std::nullopt, 10);
    Check3 = MakeControl("Check3", K::CheckBox, "Auto FIX patch", {1320, 4320, 1575, 255}, std::nullopt, 11);
    Command2 = MakeControl("Command2", K::Button, "Quit", {3720, 4320, 975, 375}, std::nullopt, 12);
    Command1 = MakeControl("Command1", K::Button, "Save ", {4800, 4320, 975, 375}, std::nullopt, 13);

    Label1.labelFor = "Text1";
    Label2.labelFor = "Text2";
    Text1.accessibleName = "Word databases";
    Text1.accessibleDescription = "One name a line, without .txt: the bank, its fix patch, its training list";
    Text2.accessibleName = "Test databases";
    Text2.accessibleDescription = "One name a line, without .txt";
    Text3.accessibleName = "Mode";
    Text3.accessibleDescription = "The question mode: " + ModeNumbersText();
    Text3.hint = ModeListText();
    Command3.accessibleDescription = "Merge the fix patch into the word database now";
    Command2.accessibleDescription = "Close the settings without saving";
    Command1.accessibleDescription = "Save the settings; Kelvora then ends and loads them at the next start";
}

std::vector<Control*> Form3Model::controls() {
    return {&Label1, &Text1,  &Label2,   &Text2,  &Check1,   &Check2,  &Frame1,
            &Option1, &Option2, &Text3, &Command3, &Check3, &Command2, &Command1};
}

}  // namespace kelvora
