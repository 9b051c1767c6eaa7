#pragma once
#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <vector>

namespace ui {

enum class Kind {
    Label,
    Link,
    Button,
    GroupBox,
    Panel,
    RadioButton,
    CheckBox,
    ComboList,
    Edit,
    PasswordEdit,
    DatePicker,
    SpinEdit,
    Led,
};

struct Font {
    const wchar_t* Face;
    int Height;  // character height in pixels at 96 DPI
    bool Bold = false;
    bool Underline = false;
    BYTE CharSet = GB2312_CHARSET;
};

// The shared font for a description at a DPI; fonts live until the program ends.
HFONT FontFor(const Font& font, UINT dpi);

struct Rect {
    // Design pixels at 96 DPI. A label of width or height 0 takes that of its text in the font the system
    // gives it: lines of Chinese text are taller in some fonts than in others.
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

int Scale(int designPixels, UINT dpi);

class Control {
public:
    virtual ~Control() = default;

    HWND Handle = nullptr;
    Kind Type = Kind::Label;
    int Tag = 0;
    Control* Parent = nullptr;  // the container it sits in, or none when it sits on the form
    std::vector<Control*> Children;
    COLORREF TextColor = CLR_INVALID;
    std::function<void()> OnEvent;  // the click, or the change of a list
    Rect Design;                    // its place at 96 DPI, its text's size filled in for a label made to fit
    const Font* TextFont = nullptr;

    bool Enabled() const { return enabled_; }
    // A container's own state reaches its children: they are usable only while every container above is
    // enabled.
    void SetEnabled(bool enabled);
    bool Visible() const;
    virtual void SetVisible(bool visible);
    std::wstring Text() const;
    void SetText(const std::wstring& text);  // repaints only when the text changes
    void SetFocus() const;

    // A notification from the control (the code of WM_COMMAND).
    virtual void Notify(int code);
    // Places the control and sets its font for the window's DPI.
    virtual void ApplyDpi(UINT dpi);

protected:
    bool ParentsEnabled() const;
    virtual void ApplyEnabled();

    bool enabled_ = true;
};

// Check boxes and radio buttons; a radio button clears the other radio buttons of its container.
class CheckControl : public Control {
public:
    bool Checked() const;
    void SetChecked(bool checked);
    void Notify(int code) override;
};

class ComboList : public Control {
public:
    int ItemIndex() const;
    void SetItemIndex(int index);
    void Notify(int code) override;
};

class DatePicker : public Control {
public:
    SYSTEMTIME Value() const;
    void SetValue(const SYSTEMTIME& value);
};

// A whole-number box with bounds: spin buttons, arrow and page keys and the wheel change it; anything but
// digits is refused and a value beyond a bound is clamped to it.
class SpinEdit : public Control {
public:
    int Min = 0, Max = 100;
    HWND UpDown = nullptr;

    int Value() const;
    void SetValue(int value);
    void SetVisible(bool visible) override;
    void Notify(int code) override;
    void ApplyDpi(UINT dpi) override;
    void Attach();  // creates the spin buttons and takes the keys and the wheel

private:
    void ApplyEnabled() override;
    void Normalize(bool keepEmpty);
    bool normalizing_ = false;
};

// One row of a window's layout table.
struct ControlSpec {
    Control* Target;
    Kind Type;
    const wchar_t* Text = L"";
    Rect Place{};
    Control* Parent = nullptr;
    int Tag = 0;
    int TabOrder = -1;  // -1: no tab stop
    bool Enabled = true;
    bool Visible = true;
    bool Checked = false;
    const Font* TextFont = nullptr;  // the form's font when none
    COLORREF Color = CLR_INVALID;
    int Min = 0, Max = 0, Value = 0;      // spin edits
    std::vector<const wchar_t*> Items{};  // lists
    DWORD Style = 0;                      // further window styles of the kind
    std::function<void()> Handler{};
};

// Builds the controls of a window from its layout table: places scaled to the window's DPI, tab order
// by TabOrder within each container.
void CreateControls(HWND form, const Font& formFont, std::span<const ControlSpec> layout);

// The list box of a drop-down list opens below its designed height.
constexpr int kListDropHeight = 200;

// The control behind a window handle, or none.
Control* ControlFrom(HWND handle);

}  // namespace ui
