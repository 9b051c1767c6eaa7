// The yardstick for Dormora's figures: one window with 41 standard controls (the kinds and about the number
// of the main window's) and one 1-second timer that repaints a clock label, built and linked the same way.
#include <windows.h>

#include <commctrl.h>

#include <cwchar>
#include <initializer_list>

namespace {

constexpr UINT_PTR kClockTimer = 1;
HWND clockLabel = nullptr;

HWND Add(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
         DWORD exStyle = 0) {
    HWND hwnd = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return hwnd;
}

void ShowTime() {
    SYSTEMTIME t;
    GetLocalTime(&t);
    wchar_t text[32];
    swprintf(text, 32, L"%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
    SetWindowTextW(clockLabel, text);
}

// 41: 11 labels (one the clock), 2 group boxes, 3 radio buttons, 1 check box, 7 buttons, 1 date picker,
// 7 number boxes with their 7 spin buttons, 1 file name box, 1 list.
void CreateControls(HWND form) {
    clockLabel = Add(form, WC_STATICW, L"", SS_LEFT, 90, 10, 200, 20);
    Add(form, WC_STATICW, L"Time", SS_LEFT, 10, 10, 70, 20);
    Add(form, WC_BUTTONW, L"When", BS_GROUPBOX, 10, 40, 420, 100);
    Add(form, WC_BUTTONW, L"Action", BS_GROUPBOX, 10, 150, 420, 100);
    const wchar_t* modes[] = {L"Fixed", L"Delay", L"Remind"};
    for (int i = 0; i < 3; ++i) {
        Add(form, WC_BUTTONW, modes[i], BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), 20, 56 + i * 26, 60, 20);
    }
    Add(form, DATETIMEPICK_CLASSW, L"", DTS_SHORTDATEFORMAT, 90, 56, 100, 22);
    const int boxes[7][2] = {{200, 56}, {270, 56}, {90, 82}, {170, 82}, {90, 108}, {170, 108}, {100, 220}};
    for (const auto& at : boxes) {
        HWND edit = Add(form, WC_EDITW, L"0", ES_NUMBER | ES_RIGHT, at[0], at[1], 50, 22, WS_EX_CLIENTEDGE);
        HWND spin = Add(form, UPDOWN_CLASSW, L"", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 0, 0);
        SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
        SendMessageW(spin, UDM_SETRANGE32, 0, 100);
    }
    const wchar_t* labels[] = {L"h", L"min", L"after", L"h", L"min", L"every", L"h", L"Do:", L"File:"};
    for (int i = 0; i < 9; ++i) Add(form, WC_STATICW, labels[i], SS_LEFT, 330 + (i % 3) * 30, 56 + (i / 3) * 26, 28, 20);
    HWND list = Add(form, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL, 90, 166, 150, 200);
    for (const wchar_t* item : {L"Power off", L"Restart", L"Lock", L"Open a file"}) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    SendMessageW(list, CB_SETCURSEL, 0, 0);
    Add(form, WC_EDITW, L"", ES_AUTOHSCROLL | ES_READONLY, 90, 194, 260, 22, WS_EX_CLIENTEDGE);
    Add(form, WC_BUTTONW, L"Countdown", BS_AUTOCHECKBOX, 20, 220, 75, 20);
    const wchar_t* buttons[] = {L"Password", L"Start", L"Abandon", L"Hide", L"About", L"Exit", L"Choose"};
    for (int i = 0; i < 7; ++i) Add(form, WC_BUTTONW, buttons[i], BS_PUSHBUTTON, 440, 40 + i * 30, 80, 25);
}

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            CreateControls(hwnd);
            ShowTime();
            SetTimer(hwnd, kClockTimer, 1000, nullptr);
            return 0;
        case WM_TIMER:
            ShowTime();
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, msg, wp, lp);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&classes);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"MinimalForm";
    RegisterClassExW(&wc);
    HWND form = CreateWindowExW(0, wc.lpszClassName, L"Minimal 41 controls", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                                CW_USEDEFAULT, CW_USEDEFAULT, 546, 300, nullptr, nullptr, instance, nullptr);
    ShowWindow(form, show);
    UpdateWindow(form);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(form, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
