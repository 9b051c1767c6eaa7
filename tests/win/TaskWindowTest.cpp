#include "tests/win/MainFixture.h"

namespace {

// Selects a list item the way a user's choice does: the selection changes, then the window hears of it.
void Choose(ui::ComboList& list, int index) {
    list.SetItemIndex(index);
    SendMessageW(GetParent(list.Handle), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list.Handle), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list.Handle));
    Pump();
}

void Tick(TFrmMain& form, int ticks) {
    for (int i = 0; i < ticks; ++i) form.TimerTaskTimer();
    Pump();
}

bool Locked(TFrmMain& f) {
    return !IsWindowEnabled(f.GroupBox1.Handle) && !IsWindowEnabled(f.GroupBox2.Handle) &&
           !IsWindowEnabled(f.btnStartTask.Handle) && IsWindowEnabled(f.btnCancelTask.Handle);
}

bool Idle(TFrmMain& f) {
    return IsWindowEnabled(f.GroupBox1.Handle) && IsWindowEnabled(f.GroupBox2.Handle) &&
           IsWindowEnabled(f.btnStartTask.Handle) && !IsWindowEnabled(f.btnCancelTask.Handle);
}

}  // namespace

TEST_F(MainWindowTest, ModeButtonsEnableTheirRowAndReminderSwapsTheTaskPanel) {
    struct Case {
        ui::CheckControl TFrmMain::*Button;
        int Mode;
    };
    for (const Case& c : {Case{&TFrmMain::RadioButton2, 2}, Case{&TFrmMain::RadioButton3, 3},
                          Case{&TFrmMain::RadioButton1, 1}}) {
        SCOPED_TRACE(c.Mode);
        Click(form.get()->*c.Button);
        EXPECT_TRUE((form.get()->*c.Button).Checked());
        for (const ui::Control* child : form->GroupBox1.Children) {
            if (child->Tag != 0) {
                EXPECT_EQ(IsWindowEnabled(child->Handle) != 0, child->Tag == c.Mode);
            }
        }
        EXPECT_EQ(form->GroupBox2.Visible(), c.Mode != 3);
        EXPECT_EQ(form->Label13.Visible(), c.Mode == 3);
    }
    EXPECT_FALSE(form->RadioButton2.Checked());
    EXPECT_FALSE(form->RadioButton3.Checked());
}

TEST_F(MainWindowTest, FileRowFollowsTheOpenActionAndCountdownFollowsItsBox) {
    Choose(form->ComboBox1, taOpenFile);
    EXPECT_TRUE(IsWindowEnabled(form->btnOpen.Handle));
    EXPECT_TRUE(IsWindowEnabled(form->edtFile.Handle));
    EXPECT_TRUE(IsWindowEnabled(form->Label7.Handle));
    EXPECT_EQ(GetFocus(), form->btnOpen.Handle);
    Choose(form->ComboBox1, taLock);
    EXPECT_FALSE(IsWindowEnabled(form->btnOpen.Handle));
    EXPECT_FALSE(IsWindowEnabled(form->edtFile.Handle));

    Click(form->CheckBox2);
    EXPECT_FALSE(form->CheckBox2.Checked());
    EXPECT_FALSE(IsWindowEnabled(form->RzSpinEdit3.Handle));
    EXPECT_FALSE(IsWindowEnabled(form->Label6.Handle));
    Click(form->CheckBox2);
    EXPECT_TRUE(IsWindowEnabled(form->RzSpinEdit3.Handle));
    EXPECT_TRUE(IsWindowEnabled(form->Label6.Handle));
}

TEST_F(MainWindowTest, RefusedArmingShowsItsMessageAndChangesNothingElse) {
    struct Case {
        ui::CheckControl TFrmMain::*Mode;
        const wchar_t* Message;
    };
    for (const Case& c : {Case{&TFrmMain::RadioButton1, L"当前日期已经超过您设定的日期了,请检查！"},
                          Case{&TFrmMain::RadioButton2, L"间隔时间太短了，请重新设置"},
                          Case{&TFrmMain::RadioButton3, L"间隔时间太短了，请重新设置"}}) {
        Click(form.get()->*c.Mode);
        std::wstring shown;
        {
            UserThread user([&] { shown = AnswerMessageBox(); });
            Click(form->btnStartTask);
        }
        EXPECT_EQ(shown, c.Message);
        EXPECT_FALSE(form->TaskState.Armed);
        EXPECT_FALSE(form->TimerTask.Enabled());
        EXPECT_TRUE(Idle(*form));
    }
}

TEST_F(MainWindowTest, ArmingLocksThePanelAndStartsTheTaskTimer) {
    ArmOneMinuteDelay();
    EXPECT_TRUE(form->TaskState.Armed);
    EXPECT_EQ(form->TaskState.IntervalSeconds, 60);
    EXPECT_TRUE(form->TimerTask.Enabled());
    EXPECT_TRUE(Locked(*form));
    EXPECT_EQ(GetFocus(), form->btnCancelTask.Handle);  // the pressed button went grey; the keys stay here
}

TEST_F(MainWindowTest, CountdownShowsThePromptAndAFailedActionIsReportedWhenIdle) {
    ArmOneMinuteDelay(taLock, 2);
    Tick(*form, 60);
    ASSERT_TRUE(form->PromptForm);
    TFrmPrompt& prompt = *form->PromptForm;
    EXPECT_TRUE(prompt.Visible());
    EXPECT_EQ(WindowText(prompt.Handle()), L"提示");
    EXPECT_EQ(prompt.Label2.Text(), L"2");
    EXPECT_TRUE(prompt.Label1.Visible() && prompt.Label3.Visible() && prompt.Label5.Visible());
    EXPECT_FALSE(prompt.Label4.Visible() || prompt.Button1.Visible());
    EXPECT_TRUE(GetWindowLongW(prompt.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(GetWindowLongW(prompt.Handle(), GWL_STYLE) & WS_SYSMENU);
    Tick(*form, 1);
    EXPECT_TRUE(form->TaskState.Armed);

    // Locking is not implemented under Wine: the failure is told once the window is idle again.
    std::wstring shown;
    bool idleWhenShown = false;
    {
        UserThread user([&] {
            HWND box = WaitForWindow(L"Dormora");
            idleWhenShown = !IsWindowEnabled(form->btnCancelTask.Handle) && !form->PromptForm;
            shown = WindowText(GetDlgItem(box, 0xFFFF));
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        });
        form->TimerTaskTimer();
    }
    EXPECT_TRUE(idleWhenShown);
    EXPECT_EQ(shown.rfind(L"锁定计算机失败：", 0), 0u) << shown.size();
    EXPECT_GT(shown.size(), 8u);
    EXPECT_FALSE(form->TaskState.Armed);
    EXPECT_FALSE(form->TimerTask.Enabled());
    EXPECT_TRUE(Idle(*form));
    EXPECT_EQ(form->ComboBox1.ItemIndex(), taLock);  // the settings stay as they were
    EXPECT_EQ(form->seMin2.Value(), 1);
}

TEST_F(MainWindowTest, ReminderShowsTheTimeUpFaceAndStaysArmed) {
    Click(form->RadioButton3);
    form->seMin3.SetValue(1);
    Click(form->btnStartTask);
    Tick(*form, 60);
    ASSERT_TRUE(form->PromptForm);
    TFrmPrompt& prompt = *form->PromptForm;
    EXPECT_TRUE(prompt.Visible());
    EXPECT_TRUE(prompt.Label4.Visible() && prompt.Button1.Visible());
    EXPECT_FALSE(prompt.Label1.Visible() || prompt.Label2.Visible() || prompt.Label5.Visible());
    EXPECT_EQ(prompt.Label4.Text(), L"时间到了！");
    Click(prompt.Button1);
    EXPECT_FALSE(prompt.Visible());
    Tick(*form, 60);
    EXPECT_EQ(form->PromptForm.get(), &prompt);  // the same window serves every reminder
    EXPECT_TRUE(prompt.Visible());
    EXPECT_TRUE(form->TaskState.Armed);
    EXPECT_TRUE(Locked(*form));
}

TEST_F(MainWindowTest, PromptCountsDownByItselfAndClosesItself) {
    ArmOneMinuteDelay(taShutdown, 2);
    form->TimerTask.SetEnabled(false);  // only the prompt's own timer runs here
    Tick(*form, 60);
    ASSERT_TRUE(form->PromptForm);
    TFrmPrompt& prompt = *form->PromptForm;
    EXPECT_EQ(prompt.Label2.Text(), L"2");
    PumpFor(std::chrono::milliseconds(1300));
    EXPECT_EQ(prompt.Label2.Text(), L"1");
    EXPECT_TRUE(prompt.Visible());
    PumpFor(std::chrono::milliseconds(1000));
    EXPECT_FALSE(prompt.Visible());
    EXPECT_FALSE(prompt.Timer1.Enabled());
}

TEST_F(MainWindowTest, ArmingAgainClosesAVisiblePromptAndRestartsTheCount) {
    ArmOneMinuteDelay();
    Tick(*form, 61);
    ASSERT_TRUE(form->PromptForm && form->PromptForm->Visible());
    form->btnStartTaskClick();  // the menu's "执行任务" while armed
    Pump();
    EXPECT_FALSE(form->PromptForm->Visible());
    EXPECT_EQ(form->TaskState.ElapsedSeconds, 0);
    EXPECT_EQ(form->TaskState.CountdownTicks, 0);
    EXPECT_FALSE(form->TaskState.Triggered);
    EXPECT_TRUE(Locked(*form));
    EXPECT_TRUE(form->TimerTask.Enabled());
}

TEST_F(MainWindowTest, ChosenFileIsShownCentred) {
    form->TaskState.TargetFile = L"C:\\文件\\ünïcode ☃.txt";
    form->edtFile.SetText(form->TaskState.TargetFile);
    form->Hide();
    form->Show();
    EXPECT_EQ(GetWindowLongW(form->edtFile.Handle, GWL_STYLE) & (ES_CENTER | ES_RIGHT), ES_CENTER);
    EXPECT_EQ(form->edtFile.Text(), L"C:\\文件\\ünïcode ☃.txt");
}
