#include "password/SetPass.h"

#include "ui/Application.h"
#include "ui/Text.h"

namespace {
const ui::Font kFormFont{L"MS Sans Serif", 11, false, false, DEFAULT_CHARSET};
const ui::Font kEntryFont{L"宋体", 14, true};
}  // namespace

TFrmSetPass::TFrmSetPass(const PasswordStore& store) : store_(store) {
    // One row a control: kept as the table it is.
    // clang-format off
    const ui::ControlSpec layout[] = {
        {.Target = &Label1, .Type = ui::Kind::Label, .Text = L"原密码(默认为空)：---", .Place = {8, 18}},
        {.Target = &edtOldPW, .Type = ui::Kind::PasswordEdit, .Place = {128, 13, 81, 22}, .TabOrder = 0,
         .TextFont = &kEntryFont},
        {.Target = &Label2, .Type = ui::Kind::Label, .Text = L"新密码：", .Place = {64, 57}},
        {.Target = &edtNewPW1, .Type = ui::Kind::PasswordEdit, .Place = {128, 50, 81, 22}, .TabOrder = 1,
         .TextFont = &kEntryFont},
        {.Target = &Label3, .Type = ui::Kind::Label, .Text = L"确认新密码：", .Place = {48, 96}},
        {.Target = &edtNewPW2, .Type = ui::Kind::PasswordEdit, .Place = {128, 88, 81, 22}, .TabOrder = 2,
         .TextFont = &kEntryFont},
        {.Target = &btnOK, .Type = ui::Kind::Button, .Text = L"确定", .Place = {24, 128, 75, 25}, .TabOrder = 3,
         .Handler = On(&TFrmSetPass::btnOKClick)},
        {.Target = &btnCancel, .Type = ui::Kind::Button, .Text = L"取消", .Place = {120, 128, 75, 25},
         .TabOrder = 4, .Handler = On(&TFrmSetPass::btnCancelClick)},
    };
    // clang-format on
    Create({.Caption = L"修改密码",
            .ClientWidth = 218,
            .ClientHeight = 165,
            .Style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
            .ExStyle = WS_EX_DLGMODALFRAME,
            .Place = ui::Position::MainFormCenter,
            .TextFont = &kFormFont},
           layout);
}

void TFrmSetPass::btnOKClick() {
    const ui::NarrowText newEntry1 = ui::ToCodePage936(edtNewPW1.Text());
    switch (ChangePassword(store_, ui::ToCodePage936(edtOldPW.Text()).Bytes, newEntry1.Bytes,
                           ui::ToCodePage936(edtNewPW2.Text()).Bytes, newEntry1.Exact)) {
        case ChangeOutcome::WrongOldPassword:
            ui::ShowMessage(L"原密码不正确!");
            edtOldPW.SetFocus();
            break;
        case ChangeOutcome::NewEntriesDiffer:
            ui::ShowMessage(L"两次输入的新密码不一样!");
            edtNewPW1.SetFocus();
            break;
        case ChangeOutcome::Unrepresentable:
            ui::ShowMessage(L"新密码中含有无法保存的字符，请换用其他字符！");
            edtNewPW1.SetFocus();
            break;
        case ChangeOutcome::WriteFailed:
            ui::ShowMessage(L"密码保存失败：无法写入" + ui::FromCodePage936(store_.ConfigFilePath()) +
                            L"，请以管理员身份运行本程序后再试！");
            break;
        case ChangeOutcome::Saved:
            ui::ShowMessage(L"密码修改成功!");
            Close();
            break;
    }
}

void TFrmSetPass::btnCancelClick() { Close(); }
