// SPDX-License-Identifier: GPL-3.0-or-later
// The comment window as laid out at design time.
#include "layout/ControlFactory.h"

namespace kelvora {

Form2Model::Form2Model() : surface(kPGothic, 9) {
    caption = "Comment";
    clientWidth = 5280;
    clientHeight = 3975;
    defaultFont = Font(kPGothic, 9, false);
    using K = ControlKind;
    Text1 = MakeControl("Text1", K::TextBox, "結果や解説がここに表示されます\r\n", {120, 120, 5055, 3255},
                        std::nullopt, 0);
    Text1.multiLine = true;
    Text1.locked = true;
    Label1 = MakeControl("Label1", K::Label, "", {120, 3480, 855, 375}, Font(kPGothic, 11.25, true), 1);
    Command1 = MakeControl("Command1", K::Button, "Continue", {4200, 3480, 975, 255}, std::nullopt, 2);
    Command1.visible = false;
    Text1.accessibleName = "Results and commentary";
    Label1.accessibleName = kVerdictLabelName;
    Command1.accessibleDescription = "End the pause and go on to the next question";
}

std::vector<Control*> Form2Model::controls() { return {&Text1, &Label1, &Command1}; }

}  // namespace kelvora
