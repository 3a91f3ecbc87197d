// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Control models: what each window shows, in the window's own units
// (twips). The GUI builds its widgets from these and writes the learner's
// edits straight back, so these structs are the program's real state.
#include <optional>
#include <string>
#include <vector>

#include "platform/Surface.h"

namespace kelvora {

// The two fonts the windows name.
inline const char* const kPGothic = "ＭＳ Ｐゴシック";
inline const char* const kGothic = "ＭＳ ゴシック";

enum class ControlKind { Button, TextBox, Label, CheckBox, Option, Frame };

struct Geometry {
    int left = 0, top = 0, width = 0, height = 0;  // twips
    bool operator==(const Geometry&) const = default;
};

struct FontSpec {
    std::string name;
    double size = 9;  // points
    bool bold = false;
    bool underline = false;
    bool operator==(const FontSpec&) const = default;
};

struct Control {
    std::string name;
    ControlKind kind = ControlKind::Button;
    std::string text;      // caption of buttons, labels, frames; text of text boxes
    Geometry geometry;
    std::optional<FontSpec> font;  // none: the window's default font
    int tabIndex = 0;
    bool visible = true;
    bool enabled = true;
    int value = 0;          // check boxes 0/1/2, options 0/1
    bool multiLine = false;
    bool locked = false;    // text boxes that only show the program's output
    bool verticalScroll = false;
    std::string hint;       // tool tip
    std::string parent;     // a frame's name for controls placed inside it
    // What assistive tools (screen readers) call the control and say of it.
    std::string accessibleName;
    std::string accessibleDescription;
    std::string labelFor;   // a label: the name of the control it names
    // A number assistive tools read when asked and never announce (the
    // countdown): its name carries the number.
    bool readOnDemand = false;
};

struct TimerModel {
    int interval = 0;  // milliseconds; 0 never fires
    bool enabled = false;
};

struct MenuItem {
    std::string name;     // "a" .. "z"
    std::string caption;  // "a(&a)" .. "k(&k)", then bare letters
    std::string shortcut; // "Ctrl+A" ..
};

struct WindowModel {
    std::string caption;
    int clientWidth = 0, clientHeight = 0;  // twips
    bool visible = false;
    bool raise = false;  // a request to bring the window to the front
    FontSpec defaultFont;
    // What assistive tools say of the window itself.
    std::string accessibleDescription;
};

// The latest thing assistive tools are to say at once: a question as it
// comes on screen (the main window's description), or a verdict as it is
// given (the name of the comment window's Label1). Each gets the next
// serial number.
struct Announcement {
    enum class Kind { None, Question, Verdict };
    Kind kind = Kind::None;
    int serial = 0;
};

// Main window: the quiz screen.
struct Form1Model : WindowModel {
    Control Text1, Text2, Text3, Text4, Text5;
    Control Command1, Command2, Command3, Command4, Command5, Command6, Command7, Command8, Command9;
    Control Label1, Label2;
    TimerModel Timer1, Timer2;
    std::string menuName;
    std::vector<MenuItem> menu;
    Surface surface;

    Form1Model();
    std::vector<Control*> controls();
    Control* choiceBox(int position);     // 0..3 = Text2..Text5
    const Control* choiceBox(int position) const { return const_cast<Form1Model*>(this)->choiceBox(position); }
    Control* answerButton(int position);  // 0..3 = Command1..Command4
    // The answer buttons' captions while a question waits: "Ａ" to "Ｄ".
    void ResetAnswerCaptions();
    // An answer button's caption ("Ａ", "○", "×"), and the name assistive
    // tools give it, which holds what it shows: "Ａ (answer A)".
    void SetAnswerCaption(int position, const std::string& caption);
};

// Comment window: verdicts, commentary and reports.
// The countdown label of a question without a time limit.
inline constexpr const char* kNoTimeLimitLabel = "∞";

// The verdict label's name while it shows no verdict.
inline constexpr const char* kVerdictLabelName = "Verdict";

struct Form2Model : WindowModel {
    Control Text1, Label1, Command1;
    Surface surface;

    Form2Model();
    std::vector<Control*> controls();
};

// Setup dialog; its controls double as the quiz's live settings.
struct Form3Model : WindowModel {
    Control Label1, Text1, Label2, Text2, Check1, Check2, Frame1, Option1, Option2, Text3, Command3,
        Check3, Command2, Command1;

    Form3Model();
    std::vector<Control*> controls();
};

}  // namespace kelvora
