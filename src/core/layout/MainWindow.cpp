// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as laid out at design time.
#include "layout/ControlFactory.h"

namespace kelvora {

Form1Model::Form1Model() : surface(kPGothic, 9) {
    clientWidth = 4620;
    clientHeight = 4650;
    defaultFont = Font(kPGothic, 9, false);

    const auto big = Font(kPGothic, 12, true);
    const auto choice = Font(kPGothic, 11.25, true);
    const auto answer = Font(kPGothic, 9, true);
    using K = ControlKind;
    Text1 = MakeControl("Text1", K::TextBox, "問題\r\n\r\n下のstartボタンを押すと\r\n開始します\r\n",
                        {120, 120, 4455, 1975}, big, 0);
    Text1.multiLine = true;
    Text2 = MakeControl("Text2", K::TextBox, "この選択肢の", {720, 2200, 3855, 375}, choice, 1);
    Text3 = MakeControl("Text3", K::TextBox, "中から", {720, 2680, 3855, 375}, choice, 2);
    Text4 = MakeControl("Text4", K::TextBox, "解答を選択して", {720, 3160, 3855, 375}, choice, 3);
    Text5 = MakeControl("Text5", K::TextBox, "←該当のボタンを押す", {720, 3640, 3855, 375}, choice, 4);
    Command1 = MakeControl("Command1", K::Button, "A", {120, 2200, 495, 375}, answer, 5);
    Command2 = MakeControl("Command2", K::Button, "B", {120, 2680, 495, 375}, answer, 6);
    Command3 = MakeControl("Command3", K::Button, "C", {120, 3160, 495, 375}, answer, 7);
    Command4 = MakeControl("Command4", K::Button, "D", {120, 3640, 495, 375}, answer, 8);
    Command5 = MakeControl("Command5", K::Button, "END", {3480, 4120, 1095, 375}, std::nullopt, 9);
    Command6 = MakeControl("Command6", K::Button, "Stop", {2280, 4120, 495, 375}, std::nullopt, 10);
    Command7 = MakeControl("Command7", K::Button, "Start", {1200, 4120, 975, 375}, std::nullopt, 11);
    Command8 = MakeControl("Command8", K::Button, "Setup", {620, 4120, 550, 375}, std::nullopt, 12);
    Label1 = MakeControl("Label1", K::Label, "", {120, 4120, 495, 375}, big, 13);
    Command9 = MakeControl("Command9", K::Button, "CHK", {2880, 4120, 495, 375}, std::nullopt, 14);
    // Lies below the client area on purpose: never seen.
    Label2 = MakeControl("Label2", K::Label, "問題", {120, 15000, 4300, 1900}, big, 15);

    for (Control* box : {&Text1, &Text2, &Text3, &Text4, &Text5}) box->locked = true;

    // What a screen reader says of each control.
    Text1.accessibleName = "Question";
    const char* const letters[] = {"A", "B", "C", "D"};
    for (int k = 0; k < 4; ++k) {
        choiceBox(k)->accessibleName = std::string("Choice ") + letters[k];
        answerButton(k)->accessibleName = std::string("Answer ") + letters[k];
        answerButton(k)->accessibleDescription =
            std::string("Choose choice ") + letters[k] + " (keys " + std::to_string(k + 1) + " and " + letters[k] + ")";
    }
    Command5.accessibleDescription = "Save the learning records and quit";
    Command6.accessibleDescription = "Pause the run and show the mode report, or go on";
    Command7.accessibleDescription = "Start a new run of questions";
    Command8.accessibleDescription = "Open the settings";
    Command9.accessibleDescription = "Show the statistics of the learning record";
    Label1.accessibleName = "Seconds left";
    Label1.readOnDemand = true;
    Label2.accessibleName = "Question";

    Timer1 = {1000, true};
    Timer2 = {0, true};

    // An inert menu whose only job is to own the Ctrl+letter shortcuts.
    menuName = "dmy";
    for (char c = 'a'; c <= 'z'; ++c) {
        const std::string letter(1, c);
        MenuItem item;
        item.name = letter;
        item.caption = c <= 'k' ? letter + "(&" + letter + ")" : letter;
        item.shortcut = std::string("Ctrl+") + static_cast<char>(c - 'a' + 'A');
        menu.push_back(item);
    }
}

std::vector<Control*> Form1Model::controls() {
    return {&Text1,    &Text2,    &Text3,    &Text4,    &Text5,    &Command1, &Command2, &Command3, &Command4,
            &Command5, &Command6, &Command7, &Command8, &Label1,   &Command9, &Label2};
}

Control* Form1Model::choiceBox(int position) {
    Control* boxes[] = {&Text2, &Text3, &Text4, &Text5};
    return position >= 0 && position < 4 ? boxes[position] : nullptr;
}

Control* Form1Model::answerButton(int position) {
    Control* buttons[] = {&Command1, &Command2, &Command3, &Command4};
    return position >= 0 && position < 4 ? buttons[position] : nullptr;
}

void Form1Model::ResetAnswerCaptions() {
    static const char* const kFullWidthLetters[4] = {"Ａ", "Ｂ", "Ｃ", "Ｄ"};
    for (int k = 0; k < 4; ++k) SetAnswerCaption(k, kFullWidthLetters[k]);
}

void Form1Model::SetAnswerCaption(int position, const std::string& caption) {
    Control* button = answerButton(position);
    if (!button) return;
    button->text = caption;
    const std::string letter(1, static_cast<char>('A' + position));
    if (caption == "○")
        button->accessibleName = "○ (answer " + letter + ", the right one)";
    else if (caption == "×")
        button->accessibleName = "× (answer " + letter + ", yours: wrong)";
    else if (caption == letter)
        button->accessibleName = "Answer " + letter;
    else
        button->accessibleName = caption + " (answer " + letter + ")";
}

}  // namespace kelvora
