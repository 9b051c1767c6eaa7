#include <fstream>

#include "about/About.h"
#include "about/Banner.h"
#include "task/SystemActionsWin32.h"
#include "tests/win/MainFixture.h"

namespace {

bool IconPresent(const NOTIFYICONDATAA& record) {
    NOTIFYICONDATAA probe = record;
    return Shell_NotifyIconA(NIM_MODIFY, &probe);
}

void TrayEvent(TFrmMain& form, UINT mouseMessage) {
    SendMessageW(form.Handle(), WM_TRAYICON, 1, mouseMessage);
    Pump();
}

// Waits for the pop-up menu, then picks an item with the keys a user would press.
void PickFromMenu(HWND owner, std::initializer_list<WPARAM> keys, bool* opened) {
    for (int waited = 0; waited < 3000 && !FindWindowW(L"#32768", nullptr); waited += 20) Sleep(20);
    *opened = FindWindowW(L"#32768", nullptr) != nullptr;
    for (WPARAM key : keys) PostMessageW(owner, WM_KEYDOWN, key, 0);
}

}  // namespace

TEST_F(MainWindowTest, TrayRecordNamesThisWindowAndTheProgramIcon) {
    const NOTIFYICONDATAA& r = form->TrayIconData;
    EXPECT_EQ(r.cbSize, static_cast<DWORD>(NOTIFYICONDATAA_V1_SIZE));
    EXPECT_EQ(r.cbSize, 104u);
    EXPECT_EQ(r.hWnd, form->Handle());
    EXPECT_EQ(r.uID, 1u);
    EXPECT_EQ(r.uFlags, 7u);
    EXPECT_EQ(r.uCallbackMessage, 2024u);
    EXPECT_EQ(r.hIcon, ui::App().Icon);
    EXPECT_NE(r.hIcon, nullptr);
    EXPECT_STREQ(r.szTip, "Dormora");
    for (int i = 7; i < 64; ++i) EXPECT_EQ(r.szTip[i], 0);
}

TEST_F(MainWindowTest, HideToTrayThenDoubleClickAndMainItemToggle) {
    EXPECT_FALSE(IconPresent(form->TrayIconData));
    Click(form->btnHide);
    EXPECT_FALSE(form->Visible());
    EXPECT_TRUE(IconPresent(form->TrayIconData));
    TrayEvent(*form, WM_LBUTTONUP);  // a single click does nothing
    EXPECT_FALSE(form->Visible());
    TrayEvent(*form, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(form->Visible());
    EXPECT_TRUE(ui::App().ShowMainForm);
    form->N1Click();
    EXPECT_FALSE(form->Visible());
    EXPECT_FALSE(ui::App().ShowMainForm);
    form->N1Click();
    Click(form->btnHide);  // the second add is refused: still one icon
    EXPECT_TRUE(Shell_NotifyIconA(NIM_DELETE, &form->TrayIconData));
    EXPECT_FALSE(Shell_NotifyIconA(NIM_DELETE, &form->TrayIconData));
}

TEST_F(MainWindowTest, IconComesBackWhenTheNotificationAreaIsRecreated) {
    Click(form->btnHide);
    Shell_NotifyIconA(NIM_DELETE, &form->TrayIconData);
    SendMessageW(form->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(IconPresent(form->TrayIconData));
}

TEST_F(MainWindowTest, EndingTheWindowRemovesTheIcon) {
    Click(form->btnHide);
    const NOTIFYICONDATAA record = form->TrayIconData;
    form.reset();
    EXPECT_FALSE(IconPresent(record));
}

TEST_F(MainWindowTest, EndOfTheSessionRemovesTheIcon) {
    Click(form->btnHide);
    SendMessageW(form->Handle(), WM_ENDSESSION, FALSE, 0);  // the log-off was called off
    EXPECT_TRUE(IconPresent(form->TrayIconData));
    SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, 0);
    EXPECT_FALSE(IconPresent(form->TrayIconData));
}

TEST_F(MainWindowTest, MenuOpensOnTheRightButtonAndItsExitRunsTheGuard) {
    HMENU menu = form->PopupMenu1.Handle();
    std::vector<std::wstring> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[32] = L"";
        GetMenuStringW(menu, i, text, 32, MF_BYPOSITION);
        items.push_back(text[0] ? text : L"-");
    }
    EXPECT_EQ(items, (std::vector<std::wstring>{L"主界面", L"-", L"执行任务", L"放弃任务", L"-", L"修改密码",
                                                L"-", L"退出"}));
    Click(form->btnHide);
    bool opened = false, guarded = false;
    {
        UserThread user([&] {
            PickFromMenu(form->Handle(), {VK_UP, VK_RETURN}, &opened);
            HWND check = WaitForWindow(L"退出");
            guarded = check != nullptr;
            PostMessageW(check, WM_CLOSE, 0, 0);
        });
        TrayEvent(*form, WM_RBUTTONDOWN);
    }
    EXPECT_TRUE(opened);
    EXPECT_TRUE(guarded);
    EXPECT_FALSE(form->Visible());  // the refused exit leaves the window hidden and the icon in place
    EXPECT_TRUE(IconPresent(form->TrayIconData));
}

TEST_F(MainWindowTest, AboutBoxShowsTheContactLineAndIgnoresEnterAndEscape) {
    bool stayedOpen = false, centred = false;
    std::wstring caption, line;
    int children = 0;
    {
        UserThread user([&] {
            HWND about = WaitForWindow(L"关于");
            caption = WindowText(about);
            EnumChildWindows(
                about, [](HWND, LPARAM n) { return ++*reinterpret_cast<int*>(n), TRUE; },
                reinterpret_cast<LPARAM>(&children));
            line = WindowText(GetWindow(about, GW_CHILD));
            RECT a, m;
            GetWindowRect(about, &a);
            GetWindowRect(form->Handle(), &m);
            centred = std::abs((a.left + a.right) - (m.left + m.right)) <= 2 &&
                      std::abs((a.top + a.bottom) - (m.top + m.bottom)) <= 2;
            for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
                PostMessageW(about, WM_KEYDOWN, key, 0);
                PostMessageW(about, WM_KEYUP, key, 0);
            }
            Sleep(300);
            stayedOpen = IsWindowVisible(about);
            PostMessageW(about, WM_CLOSE, 0, 0);
        });
        SetWindowPos(form->Handle(), nullptr, 5, 7, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        Click(form->btnAbout);
    }
    EXPECT_EQ(caption, L"关于");
    EXPECT_EQ(line, L"email:dormora@example.com ");
    EXPECT_EQ(children, 1);
    EXPECT_TRUE(centred);
    EXPECT_TRUE(stayedOpen);
}

TEST(Tutorial, PageIsWrittenToTheTemporaryFolderAndHandedToTheShell) {
    static std::wstring opened, verb;
    static int show = -1;
    const SystemCalls saved = Os();
    Os().ShellExecuteW = [](HWND, const wchar_t* v, const wchar_t* file, const wchar_t*, const wchar_t*,
                            INT s) -> HINSTANCE {
        opened = file;
        verb = v ? v : L"";
        show = s;
        return reinterpret_cast<HINSTANCE>(42);
    };
    OpenTutorial();
    Os() = saved;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    EXPECT_EQ(opened.rfind(temp, 0), 0u);
    EXPECT_EQ(verb, L"open");
    EXPECT_EQ(show, SW_HIDE);
    std::ifstream page{std::filesystem::path(opened)};
    const std::string text((std::istreambuf_iterator<char>(page)), {});
    EXPECT_NE(text.find("Dormora 使用教程"), std::string::npos);
}

TEST_F(MainWindowTest, BannerPaneHostsTheBrowserControl) {
    HWND browser = GetWindow(form->WebBrowser1.Handle, GW_CHILD);
    ASSERT_NE(browser, nullptr);
    wchar_t name[64];
    GetClassNameW(browser, name, 64);
    EXPECT_STREQ(name, L"AtlAxWin");
    EXPECT_EQ(WindowText(browser).rfind(L"res://", 0), 0u);
    EXPECT_NE(WindowText(browser).find(L"/BANNER.HTML"), std::wstring::npos);
    RECT pane, area;
    GetClientRect(form->WebBrowser1.Handle, &pane);
    GetClientRect(browser, &area);
    EXPECT_EQ(area.right, pane.right);
    EXPECT_EQ(area.bottom, pane.bottom);
}
