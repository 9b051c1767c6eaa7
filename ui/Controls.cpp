#include "ui/Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

namespace ui {
namespace {

constexpr wchar_t kPanelClass[] = L"DormoraPanel";
constexpr int kFirstControlId = 100;

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};

// Containers pass their children's notifications on, so that the form sees every control alike.
LRESULT CALLBACK ForwardToParent(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    switch (msg) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: return SendMessageW(GetParent(hwnd), msg, wp, lp);
        case WM_ERASEBKGND: {
            // A group box paints only its frame: the face behind its children is ours to fill.
            RECT area;
            GetClientRect(hwnd, &area);
            FillRect(reinterpret_cast<HDC>(wp), &area, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        default: return DefSubclassProc(hwnd, msg, wp, lp);
    }
}

void RegisterPanelClass() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kPanelClass;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

struct Native {
    const wchar_t* ClassName;
    DWORD Style;
    DWORD ExStyle;
};

Native NativeFor(Kind kind) {
    switch (kind) {
        case Kind::Label: return {WC_STATICW, SS_LEFT | SS_NOPREFIX, 0};
        case Kind::Link: return {WC_STATICW, SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
        case Kind::Button: return {WC_BUTTONW, BS_PUSHBUTTON, 0};
        case Kind::GroupBox: return {WC_BUTTONW, BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case Kind::Panel: return {kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case Kind::RadioButton: return {WC_BUTTONW, BS_RADIOBUTTON, 0};
        case Kind::CheckBox: return {WC_BUTTONW, BS_AUTOCHECKBOX, 0};
        case Kind::ComboList: return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL, 0};
        case Kind::Edit: return {WC_EDITW, ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case Kind::PasswordEdit: return {WC_EDITW, ES_AUTOHSCROLL | ES_PASSWORD, WS_EX_CLIENTEDGE};
        case Kind::DatePicker: return {DATETIMEPICK_CLASSW, DTS_SHORTDATEFORMAT, 0};
        case Kind::SpinEdit: return {WC_EDITW, ES_RIGHT | ES_NUMBER, WS_EX_CLIENTEDGE};
        case Kind::Led: return {L"DormoraLed", 0, 0};
    }
    return {WC_STATICW, 0, 0};
}

SIZE TextSize(HFONT font, const wchar_t* text) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    RECT r{};
    DrawTextW(dc, text, -1, &r, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return {r.right - r.left, r.bottom - r.top};
}

// Within each container, tab stops in their order first, then the rest as the table lists them.
void OrderSiblings(HWND form, std::span<const ControlSpec> layout) {
    std::vector<const ControlSpec*> rows;
    for (const ControlSpec& row : layout) rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(), [](const ControlSpec* a, const ControlSpec* b) {
        const auto key = [](const ControlSpec* s) { return s->TabOrder < 0 ? 1 << 20 : s->TabOrder; };
        return key(a) < key(b);
    });
    std::map<HWND, HWND> lastInParent;
    for (const ControlSpec* row : rows) {
        HWND parent = row->Parent ? row->Parent->Handle : form;
        auto last = lastInParent.find(parent);
        HWND after = last == lastInParent.end() ? HWND_TOP : last->second;
        HWND self = row->Target->Handle;
        SetWindowPos(self, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        if (auto* spin = dynamic_cast<SpinEdit*>(row->Target)) {
            SetWindowPos(spin->UpDown, self, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            self = spin->UpDown;
        }
        lastInParent[parent] = self;
    }
}

}  // namespace

int Scale(int designPixels, UINT dpi) { return MulDiv(designPixels, static_cast<int>(dpi), 96); }

HFONT FontFor(const Font& font, UINT dpi) {
    using Key = std::tuple<std::wstring, int, bool, bool, BYTE, UINT>;
    static std::map<Key, std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>> fonts;
    Key key{font.Face, font.Height, font.Bold, font.Underline, font.CharSet, dpi};
    auto& slot = fonts[key];
    if (!slot) {
        LOGFONTW lf{};
        lf.lfHeight = -Scale(font.Height, dpi);
        lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
        lf.lfUnderline = font.Underline;
        lf.lfCharSet = font.CharSet;
        lf.lfQuality = DEFAULT_QUALITY;
        lstrcpynW(lf.lfFaceName, font.Face, LF_FACESIZE);
        slot.reset(CreateFontIndirectW(&lf));
    }
    return slot.get();
}

Control* ControlFrom(HWND handle) {
    return handle ? reinterpret_cast<Control*>(GetWindowLongPtrW(handle, GWLP_USERDATA)) : nullptr;
}

bool Control::ParentsEnabled() const { return !Parent || (Parent->enabled_ && Parent->ParentsEnabled()); }

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    ApplyEnabled();
}

void Control::ApplyEnabled() {
    EnableWindow(Handle, enabled_ && ParentsEnabled());
    for (Control* child : Children) child->ApplyEnabled();
}

bool Control::Visible() const { return (GetWindowLongW(Handle, GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetVisible(bool visible) { ShowWindow(Handle, visible ? SW_SHOWNA : SW_HIDE); }

std::wstring Control::Text() const {
    std::wstring text(GetWindowTextLengthW(Handle) + 1, L'\0');
    text.resize(GetWindowTextW(Handle, text.data(), static_cast<int>(text.size())));
    return text;
}

void Control::SetText(const std::wstring& text) {
    if (Text() != text) SetWindowTextW(Handle, text.c_str());
}

void Control::SetFocus() const { ::SetFocus(Handle); }

void Control::ApplyDpi(UINT dpi) {
    int height = Scale(Design.Height, dpi);
    if (Type == Kind::ComboList) height += Scale(kListDropHeight, dpi);
    SetWindowPos(Handle, nullptr, Scale(Design.Left, dpi), Scale(Design.Top, dpi), Scale(Design.Width, dpi),
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(Handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(*TextFont, dpi)), TRUE);
}

void Control::Notify(int code) {
    if ((code == BN_CLICKED && Type == Kind::Button) || (code == STN_CLICKED && Type == Kind::Link)) {
        if (OnEvent) OnEvent();
    }
}

bool CheckControl::Checked() const { return SendMessageW(Handle, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void CheckControl::SetChecked(bool checked) {
    SendMessageW(Handle, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!checked || Type != Kind::RadioButton || !Parent) return;
    for (Control* sibling : Parent->Children) {
        if (sibling != this && sibling->Type == Kind::RadioButton) {
            static_cast<CheckControl*>(sibling)->SetChecked(false);
        }
    }
}

void CheckControl::Notify(int code) {
    if (code != BN_CLICKED) return;
    if (Type == Kind::RadioButton) SetChecked(true);
    if (OnEvent) OnEvent();
}

int ComboList::ItemIndex() const { return static_cast<int>(SendMessageW(Handle, CB_GETCURSEL, 0, 0)); }

void ComboList::SetItemIndex(int index) { SendMessageW(Handle, CB_SETCURSEL, index, 0); }

void ComboList::Notify(int code) {
    if (code == CBN_SELCHANGE && OnEvent) OnEvent();
}

SYSTEMTIME DatePicker::Value() const {
    SYSTEMTIME value{};
    SendMessageW(Handle, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&value));
    return value;
}

void DatePicker::SetValue(const SYSTEMTIME& value) {
    SendMessageW(Handle, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value));
}

void CreateControls(HWND form, const Font& formFont, std::span<const ControlSpec> layout) {
    RegisterPanelClass();
    const UINT dpi = GetDpiForWindow(form);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    int id = kFirstControlId;
    for (const ControlSpec& row : layout) {
        Control& c = *row.Target;
        const Native native = NativeFor(row.Type);
        HFONT font = FontFor(row.TextFont ? *row.TextFont : formFont, dpi);
        Rect place = row.Place;
        if (place.Width == 0 || place.Height == 0) {
            const SIZE size = TextSize(font, row.Text);
            if (place.Width == 0) place.Width = MulDiv(size.cx, 96, static_cast<int>(dpi));
            if (place.Height == 0) place.Height = MulDiv(size.cy, 96, static_cast<int>(dpi));
        }
        DWORD style = WS_CHILD | WS_CLIPSIBLINGS | native.Style | row.Style;
        if (row.Visible) style |= WS_VISIBLE;
        if (row.TabOrder >= 0) style |= WS_TABSTOP;
        c.Handle = CreateWindowExW(native.ExStyle, native.ClassName, row.Text, style, 0, 0, 0, 0,
                                   row.Parent ? row.Parent->Handle : form,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id++)), instance, nullptr);
        SetWindowLongPtrW(c.Handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&c));
        c.Design = place;
        c.TextFont = row.TextFont ? row.TextFont : &formFont;
        c.Type = row.Type;
        c.Tag = row.Tag;
        c.Parent = row.Parent;
        c.TextColor = row.Color;
        c.OnEvent = row.Handler;
        c.SetEnabled(row.Enabled);
        if (row.Parent) row.Parent->Children.push_back(&c);

        switch (row.Type) {
            case Kind::GroupBox:
            case Kind::Panel: SetWindowSubclass(c.Handle, ForwardToParent, 0, 0); break;
            case Kind::RadioButton:
            case Kind::CheckBox:
                SendMessageW(c.Handle, BM_SETCHECK, row.Checked ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case Kind::ComboList:
                for (const wchar_t* item : row.Items) {
                    SendMessageW(c.Handle, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
                }
                SendMessageW(c.Handle, CB_SETCURSEL, row.Value, 0);
                break;
            case Kind::PasswordEdit: SendMessageW(c.Handle, EM_SETPASSWORDCHAR, L'*', 0); break;
            case Kind::DatePicker:
                SendMessageW(c.Handle, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"yyyy-MM-dd"));
                break;
            case Kind::SpinEdit: {
                auto& spin = static_cast<SpinEdit&>(c);
                spin.Min = row.Min;
                spin.Max = row.Max;
                spin.Attach();
                spin.SetValue(row.Value);
                spin.SetEnabled(row.Enabled);
                break;
            }
            default: break;
        }
        c.ApplyDpi(dpi);
    }
    OrderSiblings(form, layout);
}

}  // namespace ui
