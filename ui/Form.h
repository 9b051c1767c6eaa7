#pragma once
#include <windows.h>

#include <functional>
#include <span>
#include <vector>

#include "ui/Controls.h"

namespace ui {

class Form;

// A one-second (by default) timer of a form. Enabling a running timer keeps its phase.
class Timer {
public:
    Timer(Form& owner, std::function<void()> onTimer, UINT interval = 1000);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    void Fire() { onTimer_(); }

private:
    friend class Form;
    Form& owner_;
    std::function<void()> onTimer_;
    UINT interval_;
    bool enabled_ = false;
};

enum class Position { ScreenCenter, MainFormCenter };

struct FormSpec {
    const wchar_t* Caption;
    int ClientWidth, ClientHeight;  // design pixels at 96 DPI
    DWORD Style;                    // WS_CAPTION and the frame and title-bar boxes
    DWORD ExStyle;
    Position Place;
    const Font* TextFont;
};

// One top-level window. Each window class builds itself from its layout table and keeps its controls as
// members; the static procedure finds the object through the pointer stored at WM_NCCREATE.
class Form {
public:
    Form() = default;
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND Handle() const { return hwnd_; }
    bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
    // Shows the window, running OnShow when it was hidden; on a visible window only raises it.
    void Show();
    void Hide();
    void SetVisible(bool visible) { visible ? Show() : Hide(); }
    // Asks the window to close: OnCloseQuery may refuse; a modal window then ends its loop, the main window
    // ends the program, any other window hides.
    void Close();
    // Shows the window with every other window of the program disabled, until it closes. Timers go on.
    void ShowModal();

    std::function<void()> OnShow;
    std::function<bool()> OnCloseQuery;

protected:
    // Every window class calls Destroy from its own destructor, while its controls still exist: the
    // window's last messages then never reach a control that is gone.
    void Destroy();
    void Create(const FormSpec& design, std::span<const ControlSpec> layout);
    // The window's own messages; what it does not handle goes to DefaultHandling.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefaultHandling(msg, wp, lp); }
    LRESULT DefaultHandling(UINT msg, WPARAM wp, LPARAM lp);

    template <class Derived>
    std::function<void()> On(void (Derived::*handler)()) {
        return [this, handler] { (static_cast<Derived*>(this)->*handler)(); };
    }

private:
    friend class Timer;
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void PlaceWindow();

    HWND hwnd_ = nullptr;
    Position place_ = Position::ScreenCenter;
    std::vector<Timer*> timers_;
    std::vector<Control*> controls_;
    bool modal_ = false;
    bool modalDone_ = false;
    bool placed_ = false;
    bool destroying_ = false;
};

}  // namespace ui
