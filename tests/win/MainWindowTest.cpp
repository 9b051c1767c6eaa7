#include <regex>

#include "tests/win/MainFixture.h"

namespace {

struct Expected {
    const char* Name;
    ui::Control TFrmMain::*Member;
    const wchar_t* Text;
    RECT Place;  // left, top, width, height in the parent's client area at 96 DPI; -h: fits its text, at
                 // least h
    bool Enabled;
    bool Visible;
    int Tag;
};

RECT PlaceOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

TEST_F(MainWindowTest, WindowHasTheDesignedFrame) {
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, 530);
    EXPECT_EQ(client.bottom, 433);
    EXPECT_EQ(WindowText(form->Handle()), L"Dormora v2.0 email:dormora@example.com");
    const LONG style = GetWindowLongW(form->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
}

TEST_F(MainWindowTest, ControlsStandWhereTheLayoutPutsThem) {
    // clang-format off
    const Expected rows[] = {
        {"Label1", &TFrmMain::Label1, L"当前时间", {10, 173, 68, 16}, true, true, 0},
        {"GroupBox1", &TFrmMain::GroupBox1, L"任务执行时间设置", {10, 208, 423, 97}, true, true, 0},
        {"GroupBox2", &TFrmMain::GroupBox2, L"任务设定", {10, 312, 423, 100}, true, true, 0},
        {"Label13", &TFrmMain::Label13,
         L"提醒功能\r\n\r\n每隔一段时间弹出提示框，\r\n\r\n防止长时间玩电脑有害健康！", {104, 320, 221, -80}, true, false, 0},
        {"Label15", &TFrmMain::Label15, L"使用教程", {472, 418, 48, 12}, true, true, 0},
        {"btnSetPW", &TFrmMain::btnSetPW, L"修改密码", {444, 230, 75, 25}, true, true, 0},
        {"btnStartTask", &TFrmMain::btnStartTask, L"执行任务", {444, 261, 75, 25}, true, true, 0},
        {"btnCancelTask", &TFrmMain::btnCancelTask, L"放弃任务", {444, 293, 75, 25}, false, true, 0},
        {"btnHide", &TFrmMain::btnHide, L"隐藏至托盘", {444, 324, 75, 25}, true, true, 0},
        {"btnAbout", &TFrmMain::btnAbout, L"关于", {444, 355, 75, 25}, true, true, 0},
        {"btnExit", &TFrmMain::btnExit, L"退出", {444, 386, 75, 25}, true, true, 0},
        {"Label8", &TFrmMain::Label8, L"时", {215, 19, 12, 12}, true, true, 1},
        {"Label9", &TFrmMain::Label9, L"分钟后", {287, 19, 36, 12}, true, true, 1},
        {"Label2", &TFrmMain::Label2, L"延迟", {72, 43, 24, 12}, false, true, 2},
        {"Label3", &TFrmMain::Label3, L"小时", {151, 43, 24, 12}, false, true, 2},
        {"Label4", &TFrmMain::Label4, L"分钟后", {231, 43, 36, 12}, false, true, 2},
        {"Label12", &TFrmMain::Label12, L"每隔", {72, 67, 24, 12}, false, true, 3},
        {"Label11", &TFrmMain::Label11, L"小时", {151, 67, 24, 12}, false, true, 3},
        {"Label10", &TFrmMain::Label10, L"分钟后弹出提醒提示框一次", {231, 67, 144, 12}, false, true, 3},
        {"Label5", &TFrmMain::Label5, L"执行任务：", {16, 21, 60, 12}, true, true, 0},
        {"Label7", &TFrmMain::Label7, L"文 件 名：", {16, 46, 60, 12}, false, true, 0},
        {"edtFile", &TFrmMain::edtFile, L"", {80, 40, 265, 20}, false, true, 0},
        {"btnOpen", &TFrmMain::btnOpen, L"选择", {352, 40, 41, 22}, false, true, 0},
        {"Label6", &TFrmMain::Label6, L"秒进行倒计时提示", {136, 76, 96, 12}, true, true, 0},
    };
    // clang-format on
    for (const Expected& row : rows) {
        SCOPED_TRACE(row.Name);
        const ui::Control& c = form.get()->*row.Member;
        EXPECT_EQ(c.Text(), row.Text);
        const RECT place = PlaceOf(c.Handle);
        EXPECT_EQ(place.left, row.Place.left);
        EXPECT_EQ(place.top, row.Place.top);
        EXPECT_EQ(place.right, row.Place.right);
        if (row.Place.bottom < 0) {
            EXPECT_GE(place.bottom, -row.Place.bottom);
        } else {
            EXPECT_EQ(place.bottom, row.Place.bottom);
        }
        EXPECT_EQ(IsWindowEnabled(c.Handle) != 0, row.Enabled);
        EXPECT_EQ(c.Visible(), row.Visible);
        EXPECT_EQ(c.Tag, row.Tag);
    }
}

TEST_F(MainWindowTest, SettingsStartAsDesigned) {
    struct Spin {
        const char* Name;
        ui::SpinEdit TFrmMain::*Member;
        int Left, Top, Max, Value, Tag;
        bool Enabled;
    };
    const Spin spins[] = {
        {"seHour1", &TFrmMain::seHour1, 166, 16, 23, 0, 1, true},
        {"seMin1", &TFrmMain::seMin1, 234, 16, 59, 0, 1, true},
        {"seHour2", &TFrmMain::seHour2, 102, 40, 100, 0, 2, false},
        {"seMin2", &TFrmMain::seMin2, 178, 40, 100, 0, 2, false},
        {"seHour3", &TFrmMain::seHour3, 102, 64, 100, 0, 3, false},
        {"seMin3", &TFrmMain::seMin3, 178, 64, 100, 0, 3, false},
        {"RzSpinEdit3", &TFrmMain::RzSpinEdit3, 86, 72, 100, 60, 0, true},
    };
    for (const Spin& row : spins) {
        SCOPED_TRACE(row.Name);
        const ui::SpinEdit& spin = form.get()->*row.Member;
        const RECT edit = PlaceOf(spin.Handle), buttons = PlaceOf(spin.UpDown);
        EXPECT_EQ(edit.left, row.Left);
        EXPECT_EQ(edit.top, row.Top);
        EXPECT_EQ(buttons.left + buttons.right - edit.left, 47);  // the box and its buttons together
        EXPECT_EQ(spin.Min, 0);
        EXPECT_EQ(spin.Max, row.Max);
        EXPECT_EQ(spin.Value(), row.Value);
        EXPECT_EQ(spin.Tag, row.Tag);
        EXPECT_EQ(IsWindowEnabled(spin.Handle) != 0, row.Enabled);
        EXPECT_EQ(IsWindowEnabled(spin.UpDown) != 0, row.Enabled);
        EXPECT_TRUE(GetWindowLongW(spin.Handle, GWL_STYLE) & ES_RIGHT);
    }
    EXPECT_TRUE(form->RadioButton1.Checked());
    EXPECT_FALSE(form->RadioButton2.Checked());
    EXPECT_FALSE(form->RadioButton3.Checked());
    EXPECT_EQ(form->ComboBox1.ItemIndex(), 0);
    EXPECT_EQ(SendMessageW(form->ComboBox1.Handle, CB_GETCOUNT, 0, 0), 4);
    EXPECT_TRUE(form->CheckBox2.Checked());
    EXPECT_FALSE(form->TimerTask.Enabled());
    EXPECT_TRUE(form->Timer1.Enabled());
    EXPECT_EQ(form->ConfigDir.back(), '\\');
    SYSTEMTIME now, picked = form->DateTimePicker1.Value();
    GetLocalTime(&now);
    EXPECT_EQ(picked.wYear, now.wYear);
    EXPECT_EQ(picked.wMonth, now.wMonth);
    EXPECT_EQ(picked.wDay, now.wDay);
}

TEST_F(MainWindowTest, TabOrderFollowsTheLayout) {
    // Tab order is the order of the windows among their siblings; labels and spin buttons do not count.
    const auto order = [](HWND parent) {
        std::vector<HWND> stops;
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            const ui::Control* control = ui::ControlFrom(child);
            if (control && control->Type != ui::Kind::Label && control->Type != ui::Kind::Link &&
                control->Type != ui::Kind::Led && control->Type != ui::Kind::Edit) {
                stops.push_back(child);
            }
        }
        return stops;
    };
    TFrmMain& f = *form;
    EXPECT_EQ(order(f.Handle()),
              (std::vector<HWND>{f.GroupBox1.Handle, f.GroupBox2.Handle, f.WebBrowser1.Handle,
                                 f.btnSetPW.Handle, f.btnStartTask.Handle, f.btnCancelTask.Handle,
                                 f.btnHide.Handle, f.btnExit.Handle, f.btnAbout.Handle}));
    EXPECT_EQ(order(f.GroupBox1.Handle),
              (std::vector<HWND>{f.RadioButton1.Handle, f.RadioButton2.Handle, f.DateTimePicker1.Handle,
                                 f.seHour2.Handle, f.seMin2.Handle, f.seHour1.Handle, f.seMin1.Handle,
                                 f.seMin3.Handle, f.seHour3.Handle, f.RadioButton3.Handle}));
    EXPECT_EQ(order(f.GroupBox2.Handle), (std::vector<HWND>{f.ComboBox1.Handle, f.CheckBox2.Handle,
                                                            f.RzSpinEdit3.Handle, f.btnOpen.Handle}));
}

TEST_F(MainWindowTest, SpinEditTakesOnlyDigitsWithinItsBounds) {
    ui::SpinEdit& hour = form->seHour1;
    hour.SetFocus();
    SendMessageW(hour.Handle, WM_CHAR, L'a', 0);
    EXPECT_EQ(hour.Text(), L"0");
    SetWindowTextW(hour.Handle, L"");
    for (wchar_t ch : std::wstring(L"99")) SendMessageW(hour.Handle, WM_CHAR, ch, 0);
    EXPECT_EQ(hour.Value(), 23);
    EXPECT_EQ(hour.Text(), L"23");
    SendMessageW(hour.Handle, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(hour.Value(), 13);
    SendMessageW(hour.Handle, WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-2 * WHEEL_DELTA)) << 16,
                 0);
    EXPECT_EQ(hour.Value(), 11);
    SendMessageW(form->seMin1.Handle, WM_KEYDOWN, VK_NEXT, 0);
    EXPECT_EQ(form->seMin1.Value(), 0);
    // Whatever was pasted in, leaving the box shows the value it stands for.
    SetWindowTextW(form->seMin1.Handle, L"4x5");
    Pump();
    EXPECT_EQ(form->seMin1.Text(), L"45");
}

TEST_F(MainWindowTest, DisabledGroupBoxMakesItsChildrenUnusable) {
    form->GroupBox1.SetEnabled(false);
    for (const ui::Control* child : form->GroupBox1.Children) {
        EXPECT_FALSE(IsWindowEnabled(child->Handle)) << WindowText(child->Handle).size();
    }
    form->GroupBox1.SetEnabled(true);
    EXPECT_TRUE(IsWindowEnabled(form->seHour1.Handle));
    EXPECT_FALSE(IsWindowEnabled(form->seHour2.Handle));  // its own state comes back, not the group's
    EXPECT_FALSE(IsWindowEnabled(form->seHour2.UpDown));
}

TEST_F(MainWindowTest, ClockShowsTheCurrentTimeFromTheFirstTick) {
    EXPECT_EQ(form->RzLEDDisplay1.Text(), L"");
    PumpFor(std::chrono::milliseconds(1300));
    const std::wstring shown = form->RzLEDDisplay1.Text();
    ASSERT_EQ(shown.size(), 19u);
    EXPECT_TRUE(std::regex_match(shown, std::wregex(L"\\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}")));
    SYSTEMTIME now;
    GetLocalTime(&now);
    wchar_t date[16];
    swprintf(date, 16, L"%04d-%02d-%02d", now.wYear, now.wMonth, now.wDay);
    EXPECT_EQ(shown.substr(0, 10), date);
    PumpFor(std::chrono::milliseconds(1100));
    EXPECT_NE(form->RzLEDDisplay1.Text(), shown);  // it keeps running
}

TEST_F(MainWindowTest, ControlsFollowTheWindowToAMonitorOfAnotherDpi) {
    RECT frame;
    GetWindowRect(form->Handle(), &frame);
    RECT suggested{frame.left, frame.top, frame.left + 820, frame.top + 700};
    SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    const RECT exit = PlaceOf(form->btnExit.Handle);
    EXPECT_EQ(exit.left, 666);
    EXPECT_EQ(exit.top, 579);
    EXPECT_EQ(exit.right, MulDiv(75, 144, 96));
    const RECT hour = PlaceOf(form->seHour1.Handle), buttons = PlaceOf(form->seHour1.UpDown);
    EXPECT_EQ(hour.left, 249);
    EXPECT_EQ(buttons.left + buttons.right - hour.left, MulDiv(47, 144, 96));
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form->btnExit.Handle, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_EQ(font.lfHeight, -18);
    GetWindowRect(form->Handle(), &frame);
    EXPECT_EQ(frame.right - frame.left, 820);
}
