#include "ui/Form.h"

#include <algorithm>

#include "ui/Application.h"

namespace ui {
namespace {

constexpr wchar_t kFormClass[] = L"DormoraForm";

void RegisterFormClass(WNDPROC proc) {
    static const bool registered = [proc] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = proc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hIcon = App().Icon;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kFormClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

void CenterIn(HWND hwnd, const RECT& area) {
    RECT r;
    GetWindowRect(hwnd, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const int left = area.left + (area.right - area.left - width) / 2;
    const int top = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct DisabledWindows {
    HWND Keep;
    std::vector<HWND> Windows;
    bool TopmostShown = false;
};

BOOL CALLBACK DisableOne(HWND hwnd, LPARAM data) {
    auto& state = *reinterpret_cast<DisabledWindows*>(data);
    if (hwnd == state.Keep || !IsWindowVisible(hwnd)) return TRUE;
    if (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) state.TopmostShown = true;
    if (IsWindowEnabled(hwnd)) {
        EnableWindow(hwnd, FALSE);
        state.Windows.push_back(hwnd);
    }
    return TRUE;
}

}  // namespace

Timer::Timer(Form& owner, std::function<void()> onTimer, UINT interval)
    : owner_(owner), onTimer_(std::move(onTimer)), interval_(interval) {
    owner_.timers_.push_back(this);
}

Timer::~Timer() {
    SetEnabled(false);
    std::erase(owner_.timers_, this);
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == enabled_ || !owner_.hwnd_) return;
    const auto id = reinterpret_cast<UINT_PTR>(this);
    if (enabled) {
        SetTimer(owner_.hwnd_, id, interval_, nullptr);
    } else {
        KillTimer(owner_.hwnd_, id);
    }
    enabled_ = enabled;
}

Form::~Form() { Destroy(); }

void Form::Destroy() {
    if (!hwnd_) return;
    destroying_ = true;
    DestroyWindow(hwnd_);
}

void Form::Create(const FormSpec& design, std::span<const ControlSpec> layout) {
    RegisterFormClass(WndProc);
    place_ = design.Place;
    // Unowned: the prompt and the dialogs keep the program on the taskbar while the main window is hidden.
    CreateWindowExW(design.ExStyle, kFormClass, design.Caption, design.Style, CW_USEDEFAULT, CW_USEDEFAULT, 0,
                    0, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    const UINT dpi = GetDpiForWindow(hwnd_);
    RECT r{0, 0, Scale(design.ClientWidth, dpi), Scale(design.ClientHeight, dpi)};
    AdjustWindowRectExForDpi(&r, design.Style, FALSE, design.ExStyle, dpi);
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CreateControls(hwnd_, *design.TextFont, layout);
    for (const ControlSpec& row : layout) controls_.push_back(row.Target);
}

void Form::PlaceWindow() {
    if (place_ == Position::MainFormCenter && App().MainForm && App().MainForm != this) {
        RECT owner;
        GetWindowRect(App().MainForm->Handle(), &owner);
        CenterIn(hwnd_, owner);
        return;
    }
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    CenterIn(hwnd_, monitor.rcWork);
}

void Form::Show() {
    if (!hwnd_) return;
    if (Visible()) {
        SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        return;
    }
    // The main window keeps the place the user moved it to; the others are centred at every showing.
    if (App().MainForm != this || !placed_) PlaceWindow();
    placed_ = true;
    if (OnShow) OnShow();
    ShowWindow(hwnd_, SW_SHOW);
}

void Form::Hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
}

void Form::Close() {
    if (hwnd_) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void Form::ShowModal() {
    DisabledWindows others{hwnd_, {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(&others));
    modal_ = true;
    modalDone_ = false;
    Show();
    // Above a window of ours that stays on top (the prompt at the screen's centre), or it would be hidden.
    if (others.TopmostShown) SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    MSG msg;
    while (!modalDone_ && hwnd_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: leave the quit message for the main loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        ProcessMessage(msg);
    }
    // The others first, so that activation goes back to the window the user came from.
    for (HWND other : others.Windows) EnableWindow(other, TRUE);
    Hide();
    modal_ = false;
}

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Form* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    // Some messages (WM_GETMINMAXINFO) come before WM_NCCREATE; none is handled while the window goes away.
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        for (Timer* timer : self->timers_) timer->enabled_ = false;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    if (self->destroying_) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->HandleMessage(msg, wp, lp);
}

LRESULT Form::DefaultHandling(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_COMMAND:
            // Controls only: Enter and Esc reach a window as IDOK and IDCANCEL and do nothing here.
            if (Control* control = ControlFrom(reinterpret_cast<HWND>(lp))) control->Notify(HIWORD(wp));
            return 0;
        case WM_TIMER: {
            const auto timer = std::find(timers_.begin(), timers_.end(), reinterpret_cast<Timer*>(wp));
            if (timer != timers_.end() && (*timer)->Enabled()) (*timer)->Fire();
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const Control* control = ControlFrom(reinterpret_cast<HWND>(lp));
            if (!control || control->Type == Kind::Edit || control->Type == Kind::SpinEdit) break;
            const HDC dc = reinterpret_cast<HDC>(wp);
            if (control->TextColor != CLR_INVALID) SetTextColor(dc, control->TextColor);
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_SETCURSOR: {
            const Control* control = ControlFrom(reinterpret_cast<HWND>(wp));
            if (control && control->Type == Kind::Link && IsWindowEnabled(control->Handle)) {
                SetCursor(LoadCursorW(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        }
        case WM_CLOSE:
            if (OnCloseQuery && !OnCloseQuery()) return 0;
            if (modal_) {
                modalDone_ = true;
            } else if (App().MainForm == this) {
                App().Terminate();
            } else {
                Hide();
            }
            return 0;
        case WM_QUERYENDSESSION: return !OnCloseQuery || OnCloseQuery();
        case WM_DPICHANGED: {
            // Moved to a monitor of another DPI: the system suggests the new frame, the controls follow.
            const RECT& frame = *reinterpret_cast<const RECT*>(lp);
            SetWindowPos(hwnd_, nullptr, frame.left, frame.top, frame.right - frame.left,
                         frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
            for (Control* control : controls_) control->ApplyDpi(HIWORD(wp));
            return 0;
        }
        default: break;
    }
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

}  // namespace ui
