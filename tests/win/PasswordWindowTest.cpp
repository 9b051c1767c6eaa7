#include <fstream>

#include "password/CheckPW.h"
#include "tests/win/MainFixture.h"

namespace {

// Types an entry into the password dialog with the caption "退出" and presses one of its buttons.
HWND AnswerCheck(const wchar_t* entry, const wchar_t* button) {
    HWND dialog = WaitForWindow(L"退出");
    if (!dialog) return nullptr;
    SetWindowTextW(FindChild(dialog, L"Edit", nullptr), entry);
    PostMessageW(FindChild(dialog, L"Button", button), BM_CLICK, 0, 0);
    return dialog;
}

void FillSetPass(const wchar_t* oldEntry, const wchar_t* new1, const wchar_t* new2) {
    HWND dialog = WaitForWindow(L"修改密码");
    if (!dialog) return;
    HWND edit = nullptr;
    for (const wchar_t* text : {oldEntry, new1, new2}) {
        edit = FindWindowExW(dialog, edit, L"Edit", nullptr);
        SetWindowTextW(edit, text);
    }
    PostMessageW(FindChild(dialog, L"Button", L"确定"), BM_CLICK, 0, 0);
}

class PasswordWindowTest : public MainWindowTest {
protected:
    std::wstring SetPassword(const wchar_t* oldEntry, const wchar_t* password) {
        std::wstring shown;
        UserThread user([&] {
            FillSetPass(oldEntry, password, password);
            shown = AnswerMessageBox();
            if (shown != L"密码修改成功!") PostMessageW(WaitForWindow(L"修改密码"), WM_CLOSE, 0, 0);
        });
        form->btnSetPWClick();
        return shown;
    }
};

}  // namespace

TEST_F(PasswordWindowTest, CheckDialogTellsWhatItGuards) {
    for (int mode : {cmExitProgram, cmAbandonTask}) {
        ProfileWin32 profile;
        PasswordStore store(profile, form->ConfigDir);
        TFrmCheckPW check(store);
        check.CheckMode = mode;
        check.FormShow();
        EXPECT_EQ(WindowText(check.Handle()), L"退出");
        EXPECT_EQ(check.Label1.Text(), mode == cmAbandonTask ? L"正确输入密码才能放弃任务\n默认没有密码！"
                                                             : L"正确输入密码才能退出程序\n默认没有密码！");
        EXPECT_TRUE(GetWindowLongW(check.edtPW.Handle, GWL_STYLE) & ES_PASSWORD);
    }
}

TEST_F(PasswordWindowTest, WithoutPasswordAnEmptyEntryAbandonsAndCancelKeepsTheTask) {
    ArmOneMinuteDelay();
    ASSERT_TRUE(form->TaskState.Armed);
    {
        UserThread user([] { AnswerCheck(L"", L"取消"); });
        Click(form->btnCancelTask);
    }
    EXPECT_TRUE(form->TaskState.Armed);
    {
        UserThread user([] { AnswerCheck(L"", L"确定"); });
        Click(form->btnCancelTask);
    }
    EXPECT_FALSE(form->TaskState.Armed);
    EXPECT_TRUE(IsWindowEnabled(form->btnStartTask.Handle));
    EXPECT_FALSE(IsWindowEnabled(form->btnCancelTask.Handle));
    EXPECT_TRUE(IsWindowEnabled(form->GroupBox1.Handle));
}

TEST_F(PasswordWindowTest, PasswordIsStoredAsItsDigestAndGuardsTheAbandon) {
    EXPECT_EQ(SetPassword(L"anything", L"密码"), L"密码修改成功!");
    std::ifstream file(form->ConfigDir + "DormoraConfig.dll");
    const std::string text((std::istreambuf_iterator<char>(file)), {});
    EXPECT_NE(text.find("[Config]"), std::string::npos);
    EXPECT_NE(text.find("PW=d2293e30f0c964c5f6242486aa8a483c"), std::string::npos);

    ArmOneMinuteDelay();
    ASSERT_TRUE(form->TaskState.Armed);
    std::wstring refused;
    {
        UserThread user([&] {
            HWND dialog = AnswerCheck(L"wrong", L"确定");
            refused = AnswerMessageBox();
            // The dialog stays open with the entry as typed.
            if (WindowText(FindChild(dialog, L"Edit", nullptr)) == L"wrong") AnswerCheck(L"密码", L"确定");
        });
        Click(form->btnCancelTask);
    }
    EXPECT_EQ(refused, L"密码不正确!");
    EXPECT_FALSE(form->TaskState.Armed);
}

TEST_F(PasswordWindowTest, ChangeChecksTheOldPasswordFirstAndAppliesAtTheNextCheck) {
    ASSERT_EQ(SetPassword(L"", L"old"), L"密码修改成功!");
    std::wstring first;
    {
        UserThread user([&] {
            FillSetPass(L"bad", L"a", L"b");
            first = AnswerMessageBox();
            FillSetPass(L"old", L"new", L"New");
            first += L"|" + AnswerMessageBox();
            FillSetPass(L"old", L"new", L"new");
            first += L"|" + AnswerMessageBox();
        });
        form->btnSetPWClick();
    }
    EXPECT_EQ(first, L"原密码不正确!|两次输入的新密码不一样!|密码修改成功!");
    ProfileWin32 profile;
    PasswordStore store(profile, form->ConfigDir);
    EXPECT_TRUE(store.PasswordMatches("new"));
    EXPECT_FALSE(store.PasswordMatches("old"));
}

TEST_F(PasswordWindowTest, PasswordThatCodePage936CannotHoldIsRefused) {
    EXPECT_EQ(SetPassword(L"", L"snow☃man"), L"新密码中含有无法保存的字符，请换用其他字符！");
    std::ifstream file(form->ConfigDir + "DormoraConfig.dll");
    EXPECT_FALSE(file.good());
}

TEST_F(PasswordWindowTest, UnwritableLocationIsReportedAndNothingChanges) {
    const std::string missing = form->ConfigDir + "missing\\";
    form->ConfigDir = missing;
    const std::wstring shown = SetPassword(L"", L"secret");
    EXPECT_EQ(shown.rfind(L"密码保存失败：无法写入", 0), 0u);
    EXPECT_NE(shown.find(L"missing\\DormoraConfig.dll，请以管理员身份运行本程序后再试！"),
              std::wstring::npos);
}

TEST_F(PasswordWindowTest, ExitRefusedKeepsRunningAndAcceptedEndsWithoutTheTask) {
    ArmOneMinuteDelay();
    ASSERT_TRUE(form->TaskState.Armed);
    bool ended = false;
    {
        UserThread user([] { AnswerCheck(L"", L"取消"); });
        form->Close();
        ended = Pump();
    }
    EXPECT_FALSE(ended);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(form->TaskState.Armed);
    {
        UserThread user([] { AnswerCheck(L"", L"确定"); });
        EXPECT_TRUE(SendMessageW(form->Handle(), WM_QUERYENDSESSION, 0, 0));  // log-off may go on
        ended = Pump();
    }
    EXPECT_TRUE(ended);
    EXPECT_TRUE(form->TaskState.Armed);  // dropped with the program, never executed
}

TEST_F(PasswordWindowTest, AbandonDialogStandsAboveTheCountdownWindow) {
    ArmOneMinuteDelay();
    for (int i = 0; i < 60; ++i) form->TimerTaskTimer();
    ASSERT_TRUE(form->PromptForm && form->PromptForm->Visible());
    bool above = false;
    {
        UserThread user([&] {
            HWND dialog = WaitForWindow(L"退出");
            Sleep(300);  // as the user sees it once the windows have settled
            // Walks down the z-order from the dialog: the prompt must come after it.
            for (HWND w = dialog; w; w = GetWindow(w, GW_HWNDNEXT)) above |= w == form->PromptForm->Handle();
            AnswerCheck(L"", L"取消");
        });
        Click(form->btnCancelTask);
    }
    EXPECT_TRUE(above);
    EXPECT_TRUE(form->TaskState.Armed);
}

TEST_F(PasswordWindowTest, CountdownThatRunsOutWhileTheAbandonDialogWaitsExecutesTheTask) {
    ArmOneMinuteDelay(taLock, 1);
    for (int i = 0; i < 60; ++i) form->TimerTaskTimer();
    ASSERT_TRUE(form->PromptForm && form->PromptForm->Visible());
    std::wstring failure;
    {
        UserThread user([&] {
            WaitForWindow(L"退出");
            failure = AnswerMessageBox(4000);  // the real task timer fires inside the dialog's loop
            AnswerCheck(L"", L"确定");
        });
        Click(form->btnCancelTask);
    }
    EXPECT_EQ(failure.rfind(L"锁定计算机失败", 0), 0u);
    EXPECT_FALSE(form->TaskState.Armed);
    EXPECT_FALSE(form->PromptForm);
    EXPECT_FALSE(IsWindowEnabled(form->btnCancelTask.Handle));
}
