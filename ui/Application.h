#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace ui {

class Form;

// What the program keeps once: its title, icon and main window, and the message loop.
struct Application {
    std::wstring Title;
    HICON Icon = nullptr;
    Form* MainForm = nullptr;
    // Kept equal to the main window's visibility after each toggle from the notification area.
    bool ShowMainForm = true;

    void Initialize();  // COM on this thread for the browser pane, common controls, the icon
    void Terminate() { PostQuitMessage(0); }
    int Run();  // shows the main window and dispatches messages until Terminate
};

Application& App();

// Dispatches one message, giving the window it belongs to the dialog keys (Tab between controls).
void ProcessMessage(MSG& msg);

// The simple modal message box: the application title as caption, the text and one OK button.
void ShowMessage(const std::wstring& text);

struct MenuItem {
    UINT Id = 0;
};

struct MenuRow {
    MenuItem* Item;
    const wchar_t* Text;  // "-" for a separator
    std::function<void()> OnClick;
};

// A pop-up menu opened at a screen point; its items call their handlers.
class PopupMenu {
public:
    explicit PopupMenu(std::vector<MenuRow> rows);
    ~PopupMenu();
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;

    void Popup(HWND owner, POINT at);
    HMENU Handle() const { return menu_; }

private:
    std::vector<MenuRow> rows_;
    HMENU menu_;
};

}  // namespace ui
