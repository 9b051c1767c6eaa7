#include "password/CheckPW.h"

#include "ui/Application.h"
#include "ui/Text.h"

namespace {
const ui::Font kFormFont{L"宋体", 14};
const ui::Font kBold16{L"宋体", 16, true};
const ui::Font kEntryFont{L"宋体", 14, true};
constexpr const wchar_t* kExitText = L"正确输入密码才能退出程序\n默认没有密码！";
constexpr const wchar_t* kAbandonText = L"正确输入密码才能放弃任务\n默认没有密码！";
}  // namespace

TFrmCheckPW::TFrmCheckPW(const PasswordStore& store) : store_(store) {
    // One row a control: kept as the table it is.
    // clang-format off
    const ui::ControlSpec layout[] = {
        // Sized by the exit text; both texts are two lines.
        {.Target = &Label1, .Type = ui::Kind::Label, .Text = kExitText, .Place = {8, 16, 204, 0},
         .TextFont = &kBold16, .Style = SS_CENTER},
        {.Target = &Label2, .Type = ui::Kind::Label, .Text = L"密码:", .Place = {16, 75}},
        {.Target = &edtPW, .Type = ui::Kind::PasswordEdit, .Place = {60, 72, 129, 22}, .TabOrder = 0,
         .TextFont = &kEntryFont},
        {.Target = &btnOK, .Type = ui::Kind::Button, .Text = L"确定", .Place = {32, 112, 75, 25}, .TabOrder = 1,
         .Handler = On(&TFrmCheckPW::btnOKClick)},
        {.Target = &btnCancel, .Type = ui::Kind::Button, .Text = L"取消", .Place = {120, 112, 75, 25},
         .TabOrder = 2, .Handler = On(&TFrmCheckPW::btnCancelClick)},
    };
    // clang-format on
    Create({.Caption = L"退出",
            .ClientWidth = 224,
            .ClientHeight = 162,
            .Style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
            .ExStyle = WS_EX_DLGMODALFRAME,
            .Place = ui::Position::MainFormCenter,
            .TextFont = &kFormFont},
           layout);
    OnShow = On(&TFrmCheckPW::FormShow);
}

void TFrmCheckPW::FormShow() {
    Label1.SetText(CheckMode == cmAbandonTask ? kAbandonText : kExitText);
}

void TFrmCheckPW::btnOKClick() {
    if (!store_.PasswordMatches(ui::ToCodePage936(edtPW.Text()).Bytes)) {
        ui::ShowMessage(L"密码不正确!");
        edtPW.SetFocus();
        return;
    }
    Accepted = true;
    Close();
    if (CheckMode == cmExitProgram) {
        ui::App().Terminate();
        CheckResult = 0;
    } else if (CheckMode == cmAbandonTask) {
        CheckResult = 1;
    }
}

void TFrmCheckPW::btnCancelClick() { Close(); }
