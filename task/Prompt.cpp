#include "task/Prompt.h"

#include <string>

namespace {
const ui::Font kFormFont{L"宋体", 11};
const ui::Font kLineFont{L"宋体", 24, true};
const ui::Font kNoticeFont{L"宋体", 48, true};
const ui::Font kHintFont{L"宋体", 12};
}  // namespace

TFrmPrompt::TFrmPrompt() {
    // One row a control: kept as the table it is.
    // clang-format off
    const ui::ControlSpec layout[] = {
        {.Target = &Panel1, .Type = ui::Kind::Panel, .Place = {0, 0, 421, 211}},
        {.Target = &Label1, .Type = ui::Kind::Label, .Text = L"您设定的操作将在", .Place = {110, 18, 200, 24},
         .Parent = &Panel1, .TextFont = &kLineFont},
        // Wide enough for any number the countdown shows; the text starts at the designed left edge.
        {.Target = &Label2, .Type = ui::Kind::Label, .Place = {204, 54, 60, 24}, .Parent = &Panel1,
         .Visible = false, .TextFont = &kLineFont},
        {.Target = &Label3, .Type = ui::Kind::Label, .Text = L"秒后执行", .Place = {161, 90, 100, 24},
         .Parent = &Panel1, .TextFont = &kLineFont},
        {.Target = &Label4, .Type = ui::Kind::Label, .Text = L"时间到了！", .Place = {104, 57, 245, 48},
         .Parent = &Panel1, .Visible = false, .TextFont = &kNoticeFont, .Color = RGB(255, 0, 0)},
        {.Target = &Label5, .Type = ui::Kind::Label, .Text = L"要想停止任务，请在软件界面上\"点放弃任务\" ",
         .Place = {97, 176, 246, 12}, .Parent = &Panel1, .Visible = false, .TextFont = &kHintFont},
        {.Target = &Button1, .Type = ui::Kind::Button, .Text = L"关闭", .Place = {173, 160, 75, 25}, .TabOrder = 1,
         .Visible = false, .Handler = On(&TFrmPrompt::Button1Click)},
    };
    // clang-format on
    Create({.Caption = L"提示",
            .ClientWidth = 421,
            .ClientHeight = 211,
            .Style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN,
            .ExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST,
            .Place = ui::Position::ScreenCenter,
            .TextFont = &kFormFont},
           layout);
    OnShow = On(&TFrmPrompt::FormShow);
}

void TFrmPrompt::FormShow() {
    Timer1.SetEnabled(true);
    const auto face = FaceOnShow();
    if (!face) return;
    if (PromptMode == pmCountdown) Label2.SetText(std::to_wstring(SecondsLeft));
    Label1.SetVisible(face->Label1);
    Label2.SetVisible(face->Label2);
    Label3.SetVisible(face->Label3);
    Label4.SetVisible(face->Label4);
    Label5.SetVisible(face->Label5);
    Button1.SetVisible(face->Button1);
}

void TFrmPrompt::Timer1Timer() {
    switch (Tick()) {
        case TickEffect::NumberChanged: Label2.SetText(std::to_wstring(SecondsLeft)); break;
        case TickEffect::StopAndClose:
            Timer1.SetEnabled(false);
            Close();
            break;
        case TickEffect::None: break;
    }
}

void TFrmPrompt::Button1Click() { Close(); }
