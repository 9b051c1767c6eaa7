#include "about/About.h"

#include "app/Contact.h"

namespace {
const ui::Font kFormFont{L"MS Sans Serif", 11, false, false, DEFAULT_CHARSET};
}

TFrmAbout::TFrmAbout() {
    // The label fits its text: the contact address is a build setting of any length.
    // One row a control: kept as the table it is.
    // clang-format off
    const ui::ControlSpec layout[] = {
        {.Target = &Label1, .Type = ui::Kind::Label, .Text = L"email:" DORMORA_CONTACT L" ", .Place = {108, 37}},
    };
    // clang-format on
    Create({.Caption = L"关于",
            .ClientWidth = 330,
            .ClientHeight = 88,
            .Style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
            .ExStyle = WS_EX_DLGMODALFRAME,
            .Place = ui::Position::MainFormCenter,
            .TextFont = &kFormFont},
           layout);
}
