// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bindings.h"

namespace kelvora::gui {

WindowBindings MainWindowBindings(const Program& p) {
    const Form1Model& f = p.Form1;
    WindowBindings b;
    b.clicks = {
        {&f.Command1, form1::Command1_Click}, {&f.Command2, form1::Command2_Click},
        {&f.Command3, form1::Command3_Click}, {&f.Command4, form1::Command4_Click},
        {&f.Command5, form1::Command5_Click}, {&f.Command6, form1::Command6_Click},
        {&f.Command7, form1::Command7_Click}, {&f.Command8, form1::Command8_Click},
        {&f.Command9, form1::Command9_Click},
    };
    b.paint = form1::Form_Paint;
    b.activate = form1::Form_GotFocus;
    b.deactivate = form1::Form_LostFocus;
    b.resize = form1::Form_Resize;
    b.close = form1::Form_Unload;
    return b;
}

WindowBindings CommentWindowBindings(const Program& p) {
    WindowBindings b;
    b.clicks = {{&p.Form2.Command1, form2::Command1_Click}};
    b.deactivate = form2::Form_Deactivate;
    b.close = form2::Form_QueryUnload;
    return b;
}

WindowBindings SetupDialogBindings(const Program& p) {
    const Form3Model& f = p.Form3;
    WindowBindings b;
    b.clicks = {
        {&f.Command1, form3::Command1_Click},
        {&f.Command2, form3::Command2_Click},
        {&f.Command3, form3::Command3_Click},
    };
    b.deactivate = form3::Form_LostFocus;
    b.close = form3::Form_QueryUnload;
    return b;
}

}  // namespace kelvora::gui
