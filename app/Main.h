#pragma once
#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>

#include "password/PasswordStore.h"
#include "password/ProfileWin32.h"
#include "task/Prompt.h"
#include "task/SystemActionsWin32.h"
#include "task/Task.h"
#include "ui/Application.h"
#include "ui/Form.h"

constexpr UINT WM_TRAYICON = WM_USER + 1000;  // 2024, the notification-area icon's callback

class LocalClock : public Clock {
public:
    DateTime Now() const override;
};

// The main window: clock, task settings, command buttons, and the notification-area icon. It owns the task
// state and shows the settings panel to the task logic.
class TFrmMain : public ui::Form, private TaskPanel, private PromptHost {
public:
    TFrmMain();
    ~TFrmMain() override;

    ui::Control WebBrowser1, Label1, RzLEDDisplay1, GroupBox1, GroupBox2, Label13, Label14, Label15;
    ui::Control btnSetPW, btnStartTask, btnCancelTask, btnHide, btnAbout, btnExit;
    ui::CheckControl RadioButton1, RadioButton2, RadioButton3;
    ui::DatePicker DateTimePicker1;
    ui::SpinEdit seHour1, seMin1, seHour2, seMin2, seHour3, seMin3, RzSpinEdit3;
    ui::Control Label8, Label9, Label2, Label3, Label4, Label12, Label11, Label10;
    ui::Control Label5, Label7, edtFile, btnOpen, Label6;
    ui::ComboList ComboBox1;
    ui::CheckControl CheckBox2;
    ui::Timer Timer1{*this, On(&TFrmMain::Timer1Timer)};
    ui::Timer TimerTask{*this, On(&TFrmMain::TimerTaskTimer)};
    ui::MenuItem N1, N2, N3, N4, N5, N6, N7, N8;
    ui::PopupMenu PopupMenu1;

    Task TaskState{*this, *this, clock_, actions_};
    std::string ConfigDir;
    std::unique_ptr<TFrmPrompt> PromptForm;
    NOTIFYICONDATAA TrayIconData{};

    void FormCreate();
    bool FormCloseQuery();
    void FormDestroy();
    void WMTrayIcon(LPARAM event);
    void Timer1Timer();
    void TimerTaskTimer();
    void RadioButton1Click();
    void ComboBox1Change();
    void CheckBox2Click();
    void btnOpenClick();
    void btnStartTaskClick();
    void btnCancelTaskClick();
    void btnSetPWClick();
    void btnHideClick();
    void N1Click();
    void btnAboutClick();
    void Label15Click();
    void btnExitClick();

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void ToggleMainWindow();

    // TaskPanel
    int CheckedModeButton() const override;
    DateTime PickerDate() const override;
    int SpinValue(TaskSpin spin) const override;
    bool CountdownTicked() const override;
    int ActionIndex() const override;
    void ShowArmed(bool armed) override;
    void SetTaskTimer(bool enabled) override;
    void ShowMessage(const std::wstring& text) override;
    void ReportActionFailure(int action, unsigned long error) override;

    // PromptHost
    bool PromptExists() const override;
    void CreatePrompt() override;
    void DestroyPrompt() override;
    bool PromptVisible() const override;
    int PromptMode() const override;
    void SetPromptMode(int mode) override;
    void SetSecondsLeft(int seconds) override;
    void ShowPrompt() override;
    void ClosePrompt() override;

    LocalClock clock_;
    SystemActionsWin32 actions_;
    ProfileWin32 profile_;
    PasswordStore store_{profile_, ConfigDir};
    const UINT taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    bool trayIconAdded_ = false;
};
