#include "ui/Application.h"

#include <commctrl.h>
#include <ole2.h>

#include "ui/Form.h"
#include "ui/Led.h"

namespace ui {
namespace {
constexpr UINT kFirstMenuId = 1000;
}

Application& App() {
    static Application app;
    return app;
}

void Application::Initialize() {
    OleInitialize(nullptr);
    const INITCOMMONCONTROLSEX classes{
        sizeof classes, ICC_STANDARD_CLASSES | ICC_DATE_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    Icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    RegisterLedClass();
}

int Application::Run() {
    if (MainForm && ShowMainForm) MainForm->Show();
    MSG msg{};
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) ProcessMessage(msg);
    return static_cast<int>(msg.wParam);
}

void ProcessMessage(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    if (root && IsDialogMessageW(root, &msg)) return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void ShowMessage(const std::wstring& text) {
    HWND owner = GetActiveWindow();
    MessageBoxW(owner, text.c_str(), App().Title.c_str(), MB_OK | (owner ? 0 : MB_TASKMODAL));
}

PopupMenu::PopupMenu(std::vector<MenuRow> rows) : rows_(std::move(rows)), menu_(CreatePopupMenu()) {
    static UINT nextId = kFirstMenuId;
    for (MenuRow& row : rows_) {
        row.Item->Id = nextId++;
        const bool separator = row.Text[0] == L'-' && row.Text[1] == L'\0';
        AppendMenuW(menu_, separator ? MF_SEPARATOR : MF_STRING, row.Item->Id,
                    separator ? nullptr : row.Text);
    }
}

PopupMenu::~PopupMenu() { DestroyMenu(menu_); }

void PopupMenu::Popup(HWND owner, POINT at) {
    // Foreground first and a null message after, or the menu stays open when the user clicks elsewhere.
    SetForegroundWindow(owner);
    const UINT id = TrackPopupMenu(menu_, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    for (const MenuRow& row : rows_) {
        if (id != 0 && row.Item->Id == id && row.OnClick) row.OnClick();
    }
}

}  // namespace ui
