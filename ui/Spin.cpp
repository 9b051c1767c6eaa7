#include "ui/Controls.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cwctype>

namespace ui {
namespace {

constexpr int kPageStep = 10;

// The box takes only digits; keys and the wheel step the value within its bounds.
LRESULT CALLBACK SpinKeys(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto& spin = *reinterpret_cast<SpinEdit*>(data);
    switch (msg) {
        case WM_CHAR:
            if (wp >= L' ' && !std::iswdigit(static_cast<wint_t>(wp))) {
                MessageBeep(MB_OK);
                return 0;
            }
            break;
        case WM_KEYDOWN:
            if (wp == VK_PRIOR || wp == VK_NEXT) {
                spin.SetValue(spin.Value() + (wp == VK_PRIOR ? kPageStep : -kPageStep));
                return 0;
            }
            break;
        case WM_MOUSEWHEEL: spin.SetValue(spin.Value() + GET_WHEEL_DELTA_WPARAM(wp) / WHEEL_DELTA); return 0;
        default: break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace

void SpinEdit::Attach() {
    UpDown = CreateWindowExW(0, UPDOWN_CLASSW, L"",
                             WS_CHILD | WS_CLIPSIBLINGS | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_NOTHOUSANDS |
                                 (Visible() ? WS_VISIBLE : 0),
                             0, 0, 0, 0, GetParent(Handle), nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(UpDown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(Handle), 0);
    SendMessageW(UpDown, UDM_SETRANGE32, Min, Max);
    SetWindowSubclass(Handle, SpinKeys, 0, reinterpret_cast<DWORD_PTR>(this));
}

void SpinEdit::ApplyDpi(UINT dpi) {
    Control::ApplyDpi(dpi);
    if (!UpDown) return;
    // The buttons take the right end of the designed box, so that box and buttons keep its width.
    const int left = Scale(Design.Left, dpi), top = Scale(Design.Top, dpi), width = Scale(Design.Width, dpi),
              height = Scale(Design.Height, dpi), buttons = GetSystemMetricsForDpi(SM_CXVSCROLL, dpi);
    SetWindowPos(Handle, nullptr, left, top, width - buttons, height, SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(UpDown, nullptr, left + width - buttons, top, buttons, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

int SpinEdit::Value() const {
    const std::wstring text = Text();
    long long value = 0;
    for (wchar_t ch : text) {
        if (!std::iswdigit(static_cast<wint_t>(ch))) continue;
        value = std::min<long long>(value * 10 + (ch - L'0'), Max);
    }
    return std::clamp(static_cast<int>(value), Min, Max);
}

void SpinEdit::SetValue(int value) {
    value = std::clamp(value, Min, Max);
    SetText(std::to_wstring(value));
    if (UpDown) SendMessageW(UpDown, UDM_SETPOS32, 0, value);
}

void SpinEdit::SetVisible(bool visible) {
    Control::SetVisible(visible);
    if (UpDown) ShowWindow(UpDown, visible ? SW_SHOWNA : SW_HIDE);
}

void SpinEdit::ApplyEnabled() {
    Control::ApplyEnabled();
    if (UpDown) EnableWindow(UpDown, IsWindowEnabled(Handle));
}

void SpinEdit::Notify(int code) {
    // While typing an empty box may stand; leaving the box writes the value it stands for.
    if (code == EN_CHANGE) Normalize(true);
    if (code == EN_KILLFOCUS) Normalize(false);
}

void SpinEdit::Normalize(bool keepEmpty) {
    if (normalizing_) return;
    const std::wstring text = Text();
    if (keepEmpty && text.empty()) return;
    const std::wstring normal = std::to_wstring(Value());
    if (text == normal) return;
    normalizing_ = true;
    SetValue(Value());
    SendMessageW(Handle, EM_SETSEL, normal.size(), normal.size());
    normalizing_ = false;
}

}  // namespace ui
