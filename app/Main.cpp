#include "app/Main.h"

#include <commdlg.h>

#include "about/About.h"
#include "about/Banner.h"
#include "app/ClockText.h"
#include "app/Contact.h"
#include "password/CheckPW.h"
#include "password/SetPass.h"
#include "ui/Text.h"

namespace {

const ui::Font kFormFont{L"宋体", 12};
const ui::Font kBold16{L"宋体", 16, true};
const ui::Font kLinkFont{L"宋体", 12, false, true};

constexpr const wchar_t* kActions[] = {L"关闭计算机", L"重启计算机", L"锁定计算机", L"打开程序或文件"};

// The tip of the notification-area icon, a fixed field of 64 bytes in code page 936.
constexpr char kTrayTip[64] = "Dormora";

}  // namespace

DateTime LocalClock::Now() const {
    SYSTEMTIME t;
    GetLocalTime(&t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

TFrmMain::TFrmMain()
    : PopupMenu1({{&N1, L"主界面", On(&TFrmMain::N1Click)},
                  {&N2, L"-", {}},
                  {&N3, L"执行任务", On(&TFrmMain::btnStartTaskClick)},
                  {&N4, L"放弃任务", On(&TFrmMain::btnCancelTaskClick)},
                  {&N5, L"-", {}},
                  {&N6, L"修改密码", On(&TFrmMain::btnSetPWClick)},
                  {&N7, L"-", {}},
                  {&N8, L"退出", On(&TFrmMain::btnExitClick)}}) {
    using ui::Kind;
    // One row a control: kept as the table it is.
    // clang-format off
    const ui::ControlSpec layout[] = {
        {.Target = &WebBrowser1, .Type = Kind::Panel, .Place = {0, 0, 530, 161}, .TabOrder = 2},
        {.Target = &Label1, .Type = Kind::Label, .Text = L"当前时间", .Place = {10, 173, 68, 16},
         .TextFont = &kBold16},
        {.Target = &RzLEDDisplay1, .Type = Kind::Led, .Place = {83, 168, 350, 30}},
        {.Target = &GroupBox1, .Type = Kind::GroupBox, .Text = L"任务执行时间设置", .Place = {10, 208, 423, 97},
         .TabOrder = 0},
        {.Target = &GroupBox2, .Type = Kind::GroupBox, .Text = L"任务设定", .Place = {10, 312, 423, 100},
         .TabOrder = 1},
        // Shown in the place of GroupBox2 in reminder mode only.
        {.Target = &Label13, .Type = Kind::Label,
         .Text = L"提醒功能\r\n\r\n每隔一段时间弹出提示框，\r\n\r\n防止长时间玩电脑有害健康！",
         .Place = {104, 320, 221, 0}, .Visible = false, .TextFont = &kBold16, .Style = SS_CENTER},
        {.Target = &Label14, .Type = Kind::Label,
         .Text = L"提示：使用锁定计算机功能，请先给Windows用户加个密码，否则锁定后也可以登陆系统！",
         .Place = {2, 418, 474, 12}, .Color = RGB(255, 0, 0)},
        {.Target = &Label15, .Type = Kind::Link, .Text = L"使用教程", .Place = {472, 418, 48, 12},
         .TextFont = &kLinkFont, .Color = RGB(0, 0, 255), .Handler = On(&TFrmMain::Label15Click)},
        {.Target = &btnSetPW, .Type = Kind::Button, .Text = L"修改密码", .Place = {444, 230, 75, 25}, .TabOrder = 3,
         .Handler = On(&TFrmMain::btnSetPWClick)},
        {.Target = &btnStartTask, .Type = Kind::Button, .Text = L"执行任务", .Place = {444, 261, 75, 25},
         .TabOrder = 4, .Handler = On(&TFrmMain::btnStartTaskClick)},
        {.Target = &btnCancelTask, .Type = Kind::Button, .Text = L"放弃任务", .Place = {444, 293, 75, 25},
         .TabOrder = 5, .Enabled = false, .Handler = On(&TFrmMain::btnCancelTaskClick)},
        {.Target = &btnHide, .Type = Kind::Button, .Text = L"隐藏至托盘", .Place = {444, 324, 75, 25},
         .TabOrder = 6, .Handler = On(&TFrmMain::btnHideClick)},
        {.Target = &btnAbout, .Type = Kind::Button, .Text = L"关于", .Place = {444, 355, 75, 25}, .TabOrder = 8,
         .Handler = On(&TFrmMain::btnAboutClick)},
        {.Target = &btnExit, .Type = Kind::Button, .Text = L"退出", .Place = {444, 386, 75, 25}, .TabOrder = 7,
         .Handler = On(&TFrmMain::btnExitClick)},

        // GroupBox1: Tag 1 fixed time, 2 delay, 3 reminder.
        {.Target = &RadioButton1, .Type = Kind::RadioButton, .Text = L"定 时", .Place = {16, 16, 49, 17},
         .Parent = &GroupBox1, .TabOrder = 0, .Checked = true, .Handler = On(&TFrmMain::RadioButton1Click)},
        {.Target = &DateTimePicker1, .Type = Kind::DatePicker, .Place = {72, 16, 95, 20}, .Parent = &GroupBox1,
         .Tag = 1, .TabOrder = 2},
        {.Target = &seHour1, .Type = Kind::SpinEdit, .Place = {166, 16, 47, 20}, .Parent = &GroupBox1, .Tag = 1,
         .TabOrder = 5, .Max = 23},
        {.Target = &Label8, .Type = Kind::Label, .Text = L"时", .Place = {215, 19, 12, 12}, .Parent = &GroupBox1,
         .Tag = 1},
        {.Target = &seMin1, .Type = Kind::SpinEdit, .Place = {234, 16, 47, 20}, .Parent = &GroupBox1, .Tag = 1,
         .TabOrder = 6, .Max = 59},
        {.Target = &Label9, .Type = Kind::Label, .Text = L"分钟后", .Place = {287, 19, 36, 12},
         .Parent = &GroupBox1, .Tag = 1},
        {.Target = &RadioButton2, .Type = Kind::RadioButton, .Text = L"延 时", .Place = {16, 40, 49, 17},
         .Parent = &GroupBox1, .TabOrder = 1, .Handler = On(&TFrmMain::RadioButton1Click)},
        {.Target = &Label2, .Type = Kind::Label, .Text = L"延迟", .Place = {72, 43, 24, 12}, .Parent = &GroupBox1,
         .Tag = 2, .Enabled = false},
        {.Target = &seHour2, .Type = Kind::SpinEdit, .Place = {102, 40, 47, 20}, .Parent = &GroupBox1, .Tag = 2,
         .TabOrder = 3, .Enabled = false, .Max = 100},
        {.Target = &Label3, .Type = Kind::Label, .Text = L"小时", .Place = {151, 43, 24, 12}, .Parent = &GroupBox1,
         .Tag = 2, .Enabled = false},
        {.Target = &seMin2, .Type = Kind::SpinEdit, .Place = {178, 40, 47, 20}, .Parent = &GroupBox1, .Tag = 2,
         .TabOrder = 4, .Enabled = false, .Max = 100},
        {.Target = &Label4, .Type = Kind::Label, .Text = L"分钟后", .Place = {231, 43, 36, 12},
         .Parent = &GroupBox1, .Tag = 2, .Enabled = false},
        {.Target = &RadioButton3, .Type = Kind::RadioButton, .Text = L"提 醒", .Place = {16, 64, 49, 17},
         .Parent = &GroupBox1, .TabOrder = 9, .Handler = On(&TFrmMain::RadioButton1Click)},
        {.Target = &Label12, .Type = Kind::Label, .Text = L"每隔", .Place = {72, 67, 24, 12},
         .Parent = &GroupBox1, .Tag = 3, .Enabled = false},
        {.Target = &seHour3, .Type = Kind::SpinEdit, .Place = {102, 64, 47, 20}, .Parent = &GroupBox1, .Tag = 3,
         .TabOrder = 8, .Enabled = false, .Max = 100},
        {.Target = &Label11, .Type = Kind::Label, .Text = L"小时", .Place = {151, 67, 24, 12},
         .Parent = &GroupBox1, .Tag = 3, .Enabled = false},
        {.Target = &seMin3, .Type = Kind::SpinEdit, .Place = {178, 64, 47, 20}, .Parent = &GroupBox1, .Tag = 3,
         .TabOrder = 7, .Enabled = false, .Max = 100},
        {.Target = &Label10, .Type = Kind::Label, .Text = L"分钟后弹出提醒提示框一次", .Place = {231, 67, 144, 12},
         .Parent = &GroupBox1, .Tag = 3, .Enabled = false},

        // GroupBox2: the action and the countdown.
        {.Target = &Label5, .Type = Kind::Label, .Text = L"执行任务：", .Place = {16, 21, 60, 12},
         .Parent = &GroupBox2},
        {.Target = &ComboBox1, .Type = Kind::ComboList, .Place = {80, 16, 121, 20}, .Parent = &GroupBox2,
         .TabOrder = 0, .Items = {kActions[0], kActions[1], kActions[2], kActions[3]},
         .Handler = On(&TFrmMain::ComboBox1Change)},
        {.Target = &Label7, .Type = Kind::Label, .Text = L"文 件 名：", .Place = {16, 46, 60, 12},
         .Parent = &GroupBox2, .Enabled = false},
        // Centred from creation: an edit box takes its alignment when it is made, not from a later restyle.
        {.Target = &edtFile, .Type = Kind::Edit, .Place = {80, 40, 265, 20}, .Parent = &GroupBox2,
         .Enabled = false, .Style = ES_READONLY | ES_CENTER},
        {.Target = &btnOpen, .Type = Kind::Button, .Text = L"选择", .Place = {352, 40, 41, 22},
         .Parent = &GroupBox2, .TabOrder = 4, .Enabled = false, .Handler = On(&TFrmMain::btnOpenClick)},
        {.Target = &CheckBox2, .Type = Kind::CheckBox, .Text = L"执行行前", .Place = {16, 72, 73, 17},
         .Parent = &GroupBox2, .TabOrder = 1, .Checked = true, .Handler = On(&TFrmMain::CheckBox2Click)},
        {.Target = &RzSpinEdit3, .Type = Kind::SpinEdit, .Place = {86, 72, 47, 20}, .Parent = &GroupBox2,
         .TabOrder = 2, .Max = 100, .Value = 60},
        {.Target = &Label6, .Type = Kind::Label, .Text = L"秒进行倒计时提示", .Place = {136, 76, 96, 12},
         .Parent = &GroupBox2},
    };
    // clang-format on
    Create({.Caption = L"Dormora v2.0 email:" DORMORA_CONTACT,
            .ClientWidth = 530,
            .ClientHeight = 433,
            .Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN,
            .ExStyle = 0,
            .Place = ui::Position::ScreenCenter,
            .TextFont = &kFormFont},
           layout);
    OnCloseQuery = [this] { return FormCloseQuery(); };
    Timer1.SetEnabled(true);
    FormCreate();
}

TFrmMain::~TFrmMain() {
    FormDestroy();
    PromptForm.reset();
    Destroy();
}

void TFrmMain::FormCreate() {
    ConfigDir = "c:\\";
    ShowBanner(WebBrowser1.Handle);
    SYSTEMTIME now;
    GetLocalTime(&now);
    DateTimePicker1.SetValue(now);
    actions_.Parent = Handle();
    TrayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    TrayIconData.hWnd = Handle();
    TrayIconData.uID = 1;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = WM_TRAYICON;
    TrayIconData.hIcon = ui::App().Icon;
    // The first layout of the record, which the size above names, holds a tip of 64 bytes.
    static_assert(sizeof TrayIconData.szTip >= sizeof kTrayTip);
    memcpy(TrayIconData.szTip, kTrayTip, sizeof kTrayTip);
}

bool TFrmMain::FormCloseQuery() {
    TFrmCheckPW check(store_);
    check.CheckMode = cmExitProgram;
    check.ShowModal();
    return check.Accepted;
}

void TFrmMain::FormDestroy() { Shell_NotifyIconA(NIM_DELETE, &TrayIconData); }

LRESULT TFrmMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_TRAYICON) {
        WMTrayIcon(lp);
        return 0;
    }
    // A new notification area (the shell restarted) has lost the icon: a hidden window would be unreachable.
    if (msg == taskbarCreated_ && trayIconAdded_) Shell_NotifyIconA(NIM_ADD, &TrayIconData);
    // The session ends and the process with it, before the window is destroyed: the icon goes now.
    if (msg == WM_ENDSESSION && wp) FormDestroy();
    return DefaultHandling(msg, wp, lp);
}

void TFrmMain::WMTrayIcon(LPARAM event) {
    switch (event) {
        case WM_LBUTTONDBLCLK: ToggleMainWindow(); break;
        case WM_RBUTTONDOWN: {
            POINT at;
            GetCursorPos(&at);
            PopupMenu1.Popup(Handle(), at);
            break;
        }
        default: break;
    }
}

void TFrmMain::ToggleMainWindow() {
    SetVisible(!Visible());
    ui::App().ShowMainForm = Visible();
    SetForegroundWindow(Handle());
}

void TFrmMain::Timer1Timer() {
    wchar_t separator[8] = L":";
    GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_STIME, separator, 8);
    RzLEDDisplay1.SetText(FormatClock(clock_.Now(), separator));
}

void TFrmMain::TimerTaskTimer() { TaskState.Tick(); }

void TFrmMain::RadioButton1Click() {
    const int mode = RadioButton1.Checked() ? 1 : RadioButton2.Checked() ? 2 : RadioButton3.Checked() ? 3 : 1;
    for (ui::Control* child : GroupBox1.Children) {
        if (child->Tag != 0) child->SetEnabled(child->Tag == mode);
    }
    GroupBox2.SetVisible(mode != 3);
    Label13.SetVisible(mode == 3);
}

void TFrmMain::ComboBox1Change() {
    const bool open = ComboBox1.ItemIndex() == taOpenFile;
    Label7.SetEnabled(open);
    btnOpen.SetEnabled(open);
    edtFile.SetEnabled(open);
    if (open) btnOpen.SetFocus();
}

void TFrmMain::CheckBox2Click() {
    RzSpinEdit3.SetEnabled(CheckBox2.Checked());
    Label6.SetEnabled(CheckBox2.Checked());
}

void TFrmMain::btnOpenClick() {
    if (ComboBox1.ItemIndex() != taOpenFile) return;
    // Room for long paths; the dialog keeps the whole path in UTF-16, so any file name can be chosen.
    std::wstring file(32768, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Handle();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING;
    if (!GetOpenFileNameW(&dialog)) return;
    file.resize(wcslen(file.c_str()));
    TaskState.TargetFile = file;
    edtFile.SetText(file);
}

void TFrmMain::btnStartTaskClick() { TaskState.Arm(); }

void TFrmMain::btnCancelTaskClick() {
    TFrmCheckPW check(store_);
    check.CheckMode = cmAbandonTask;
    check.ShowModal();
    if (check.CheckResult == 1) TaskState.Abandon();
}

void TFrmMain::btnSetPWClick() {
    TFrmSetPass dialog(store_);
    dialog.ShowModal();
}

void TFrmMain::btnHideClick() {
    Hide();
    Shell_NotifyIconA(NIM_ADD, &TrayIconData);
    trayIconAdded_ = true;
}

void TFrmMain::N1Click() { ToggleMainWindow(); }

void TFrmMain::btnAboutClick() {
    TFrmAbout about;
    about.ShowModal();
}

void TFrmMain::Label15Click() { OpenTutorial(); }

void TFrmMain::btnExitClick() { Close(); }

int TFrmMain::CheckedModeButton() const {
    return RadioButton1.Checked() ? 1 : RadioButton2.Checked() ? 2 : RadioButton3.Checked() ? 3 : 0;
}

DateTime TFrmMain::PickerDate() const {
    const SYSTEMTIME date = DateTimePicker1.Value();
    return {date.wYear, date.wMonth, date.wDay};
}

int TFrmMain::SpinValue(TaskSpin spin) const {
    switch (spin) {
        case TaskSpin::Hour1: return seHour1.Value();
        case TaskSpin::Min1: return seMin1.Value();
        case TaskSpin::Hour2: return seHour2.Value();
        case TaskSpin::Min2: return seMin2.Value();
        case TaskSpin::Hour3: return seHour3.Value();
        case TaskSpin::Min3: return seMin3.Value();
        case TaskSpin::CountdownLength: return RzSpinEdit3.Value();
    }
    return 0;
}

bool TFrmMain::CountdownTicked() const { return CheckBox2.Checked(); }

int TFrmMain::ActionIndex() const { return ComboBox1.ItemIndex(); }

void TFrmMain::ShowArmed(bool armed) {
    GroupBox1.SetEnabled(!armed);
    GroupBox2.SetEnabled(!armed);
    btnCancelTask.SetEnabled(armed);
    btnStartTask.SetEnabled(!armed);
    // The button just pressed may have been disabled: keep the keyboard on the window.
    const HWND focus = GetFocus();
    if (GetActiveWindow() == Handle() && (!focus || !IsWindowEnabled(focus))) {
        (armed ? btnCancelTask : btnStartTask).SetFocus();
    }
}

void TFrmMain::SetTaskTimer(bool enabled) { TimerTask.SetEnabled(enabled); }

void TFrmMain::ShowMessage(const std::wstring& text) { ui::ShowMessage(text); }

void TFrmMain::ReportActionFailure(int action, unsigned long error) {
    ui::ShowMessage(std::wstring(kActions[action]) + L"失败：" + ui::SystemErrorText(error));
}

bool TFrmMain::PromptExists() const { return PromptForm != nullptr; }

void TFrmMain::CreatePrompt() { PromptForm = std::make_unique<TFrmPrompt>(); }

void TFrmMain::DestroyPrompt() {
    PromptForm->Close();
    PromptForm.reset();
}

bool TFrmMain::PromptVisible() const { return PromptForm->Visible(); }

int TFrmMain::PromptMode() const { return PromptForm->PromptMode; }

void TFrmMain::SetPromptMode(int mode) { PromptForm->PromptMode = mode; }

void TFrmMain::SetSecondsLeft(int seconds) { PromptForm->SecondsLeft = seconds; }

void TFrmMain::ShowPrompt() { PromptForm->Show(); }

void TFrmMain::ClosePrompt() { PromptForm->Close(); }
