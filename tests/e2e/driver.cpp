// Operates another program's windows from outside, as an assistive tool would: finds top-level windows by
// caption, controls by their text or place, reads what a user can see and sends the messages that a user's
// clicks and keys produce. One command per run; answers in UTF-8 on stdout, exit code 0 when it held.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr UINT kTrayCallback = WM_USER + 1000;  // the message the program asked the notification area for
constexpr DWORD kPollMs = 50;
constexpr UINT kSendTimeoutMs = 3000;
constexpr DWORD kUsableWaitMs = 3000;

void Write(HANDLE out, const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    DWORD written = 0;
    WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void Say(const std::wstring& text) { Write(GetStdHandle(STD_OUTPUT_HANDLE), text + L"\n"); }

int Fail(const std::wstring& text) {
    Write(GetStdHandle(STD_ERROR_HANDLE), L"driver: " + text + L"\n");
    return 1;
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[256] = L"";
    GetClassNameW(hwnd, name, 256);
    return name;
}

// Through the message, not the stored caption: an edit box's caption is not what it shows.
std::wstring TextOf(HWND hwnd) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, kSendTimeoutMs, &copied);
    text.resize(std::min<size_t>(copied, length));
    return text;
}

// Neither it nor any window it sits in is disabled: a disabled group box or an open modal window stops input.
bool EnabledChain(HWND hwnd) {
    for (HWND w = hwnd; w && w != GetDesktopWindow(); w = GetAncestor(w, GA_PARENT)) {
        if (!IsWindowEnabled(w)) return false;
    }
    return true;
}

// What a user can operate.
bool Usable(HWND hwnd) { return IsWindowVisible(hwnd) && EnabledChain(hwnd); }

// A user waits a moment for a window to answer: a message box that was just closed still holds its dialog.
bool BecomesUsable(HWND hwnd) {
    for (DWORD waited = 0; !Usable(hwnd); waited += kPollMs) {
        if (waited >= kUsableWaitMs) return false;
        Sleep(kPollMs);
    }
    return true;
}

std::wstring CheckState(HWND hwnd) {
    if (ClassOf(hwnd) != L"Button") return L"-";
    const LONG type = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    const bool checkable = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                           type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
    if (!checkable) return L"-";
    DWORD_PTR state = 0;
    SendMessageTimeoutW(hwnd, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &state);
    return state == BST_CHECKED ? L"1" : L"0";
}

// --- top-level windows

struct WindowSpec {
    std::wstring Caption;
    std::wstring ClassName;
    bool Prefix = false;
    bool Hidden = false;  // hidden windows count too
};

// "Caption", "Caption*" (a prefix), "class:Name"; a leading "hidden:" also finds hidden windows.
WindowSpec ParseWindow(std::wstring pattern) {
    WindowSpec w;
    if (pattern.starts_with(L"hidden:")) {
        w.Hidden = true;
        pattern = pattern.substr(7);
    }
    if (pattern.starts_with(L"class:")) {
        w.ClassName = pattern.substr(6);
        return w;
    }
    if (!pattern.empty() && pattern.back() == L'*') {
        w.Prefix = true;
        pattern.pop_back();
    }
    w.Caption = pattern;
    return w;
}

bool Matches(HWND hwnd, const WindowSpec& pattern) {
    if (!pattern.Hidden && !IsWindowVisible(hwnd)) return false;
    if (!pattern.ClassName.empty()) return ClassOf(hwnd) == pattern.ClassName;
    wchar_t caption[512] = L"";
    GetWindowTextW(hwnd, caption, 512);
    const std::wstring text = caption;
    return pattern.Prefix ? text.starts_with(pattern.Caption) : text == pattern.Caption;
}

std::vector<HWND> TopLevel() {
    std::vector<HWND> all;
    EnumWindows(
        [](HWND hwnd, LPARAM data) {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

HWND FindWindowBy(const WindowSpec& pattern) {
    for (HWND hwnd : TopLevel()) {
        if (Matches(hwnd, pattern)) return hwnd;
    }
    return nullptr;
}

HWND WaitWindow(const WindowSpec& pattern, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND hwnd = FindWindowBy(pattern)) return hwnd;
        if (GetTickCount64() >= end) return nullptr;
        Sleep(kPollMs);
    }
}

// --- controls

std::vector<HWND> Descendants(HWND top) {
    std::vector<HWND> all;
    EnumChildWindows(
        top,
        [](HWND hwnd, LPARAM data) {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

RECT ScreenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

// The controls a label names: those on its row to its right, nearest first (spin arrows belong to their box).
std::vector<HWND> RightOf(HWND top, HWND label) {
    const RECT l = ScreenRect(label);
    const int middle = (l.top + l.bottom) / 2;
    std::vector<HWND> found;
    for (HWND hwnd : Descendants(top)) {
        const std::wstring cls = ClassOf(hwnd);
        if (hwnd == label || cls == L"Static" || cls == UPDOWN_CLASSW) continue;
        if (GetAncestor(hwnd, GA_PARENT) != GetAncestor(label, GA_PARENT)) continue;
        const RECT r = ScreenRect(hwnd);
        if ((r.left + r.right) / 2 > l.right && r.top <= middle && middle <= r.bottom) found.push_back(hwnd);
    }
    std::sort(found.begin(), found.end(),
              [](HWND a, HWND b) { return ScreenRect(a).left < ScreenRect(b).left; });
    return found;
}

// "Text" (shown text, visible controls first), "Class#n" (the n-th of a class, from 0), "id:n",
// "right-of:Text" or "right-of:Text#n" (the n-th control on the label's row to its right, from 1).
HWND FindControl(HWND top, const std::wstring& pattern) {
    const std::vector<HWND> all = Descendants(top);
    if (pattern.starts_with(L"id:")) {
        const int id = std::stoi(pattern.substr(3));
        for (HWND hwnd : all) {
            if (GetDlgCtrlID(hwnd) == id) return hwnd;
        }
        return nullptr;
    }
    if (pattern.starts_with(L"right-of:")) {
        std::wstring label = pattern.substr(9);
        size_t index = 1;
        if (const size_t hash = label.rfind(L'#'); hash != std::wstring::npos) {
            index = std::stoul(label.substr(hash + 1));
            label.resize(hash);
        }
        HWND labelWindow = FindControl(top, label);
        if (!labelWindow) return nullptr;
        const std::vector<HWND> row = RightOf(top, labelWindow);
        return index >= 1 && index <= row.size() ? row[index - 1] : nullptr;
    }
    if (const size_t hash = pattern.rfind(L'#');
        hash != std::wstring::npos && hash > 0 && hash + 1 < pattern.size() &&
        std::all_of(pattern.begin() + hash + 1, pattern.end(), iswdigit)) {
        const std::wstring cls = pattern.substr(0, hash);
        size_t index = std::stoul(pattern.substr(hash + 1));
        for (HWND hwnd : all) {
            if (ClassOf(hwnd) == cls && index-- == 0) return hwnd;
        }
        return nullptr;
    }
    HWND hiddenMatch = nullptr;
    for (HWND hwnd : all) {
        if (TextOf(hwnd) != pattern) continue;
        if (IsWindowVisible(hwnd)) return hwnd;
        if (!hiddenMatch) hiddenMatch = hwnd;
    }
    return hiddenMatch;
}

std::wstring Escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t ch : text) {
        if (ch == L'\r') continue;
        if (ch == L'\n') {
            out += L"\\n";
        } else if (ch == L'\t') {
            out += L' ';
        } else {
            out += ch;
        }
    }
    return out;
}

std::optional<std::wstring> Field(HWND hwnd, const std::wstring& field) {
    if (field == L"text") return Escaped(TextOf(hwnd));
    if (field == L"visible") return IsWindowVisible(hwnd) ? L"1" : L"0";
    if (field == L"enabled") return EnabledChain(hwnd) ? L"1" : L"0";
    if (field == L"usable") return Usable(hwnd) ? L"1" : L"0";
    if (field == L"checked") return CheckState(hwnd);
    if (field == L"class") return ClassOf(hwnd);
    return std::nullopt;
}

std::wstring DumpLine(HWND hwnd, int depth) {
    const RECT r = ScreenRect(hwnd);
    return std::to_wstring(depth) + L"\t" + ClassOf(hwnd) + L"\t" + std::to_wstring(GetDlgCtrlID(hwnd)) +
           L"\t" + (IsWindowVisible(hwnd) ? L"1" : L"0") + L"\t" + (Usable(hwnd) ? L"1" : L"0") + L"\t" +
           CheckState(hwnd) + L"\t" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," +
           std::to_wstring(r.right - r.left) + L"," + std::to_wstring(r.bottom - r.top) + L"\t" +
           Escaped(TextOf(hwnd));
}

void Dump(HWND top) {
    Say(DumpLine(top, 0));
    for (HWND hwnd : Descendants(top)) {
        int depth = 0;
        for (HWND w = hwnd; w && w != top; w = GetAncestor(w, GA_PARENT)) ++depth;
        Say(DumpLine(hwnd, depth));
    }
}

// --- input

struct Key {
    const wchar_t* Name;
    WORD Vk;
    UINT Scan;
};
constexpr Key kKeys[] = {{L"Return", VK_RETURN, 0x1C}, {L"Escape", VK_ESCAPE, 0x01}, {L"Up", VK_UP, 0x48},
                         {L"Down", VK_DOWN, 0x50},     {L"Tab", VK_TAB, 0x0F},       {L"F4", VK_F4, 0x3E},
                         {L"Home", VK_HOME, 0x47},     {L"End", VK_END, 0x4F}};

// Posts the messages a key press leaves in the window's queue; "Alt+" makes them system keys.
bool PostKey(HWND hwnd, std::wstring name) {
    const bool alt = name.starts_with(L"Alt+");
    if (alt) name = name.substr(4);
    for (const Key& key : kKeys) {
        if (name != key.Name) continue;
        const LPARAM down = 1 | (key.Scan << 16) | (alt ? 1 << 29 : 0);
        const LPARAM up = down | (1u << 30) | (1u << 31);
        PostMessageW(hwnd, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key.Vk, down);
        if (key.Vk == VK_RETURN || key.Vk == VK_ESCAPE || key.Vk == VK_TAB) {
            PostMessageW(hwnd, WM_CHAR, key.Vk == VK_TAB ? L'\t' : key.Vk == VK_RETURN ? L'\r' : 0x1B, down);
        }
        PostMessageW(hwnd, alt ? WM_SYSKEYUP : WM_KEYUP, key.Vk, up);
        return true;
    }
    return false;
}

// --- commands

DWORD TimeoutArg(int argc, wchar_t** argv, int index, DWORD fallback) {
    return argc > index ? static_cast<DWORD>(wcstoul(argv[index], nullptr, 10)) : fallback;
}

struct Target {
    HWND Window = nullptr;
    HWND Control = nullptr;
};

// The window (waited for briefly: it may be on its way) and, unless "-", the control in it.
std::optional<Target> Resolve(const std::wstring& windowSpec, const std::wstring& controlSpec, int& error) {
    Target t;
    t.Window = WaitWindow(ParseWindow(windowSpec), 5000);
    if (!t.Window) {
        error = Fail(L"no window " + windowSpec);
        return std::nullopt;
    }
    if (controlSpec == L"-") {
        t.Control = t.Window;
        return t;
    }
    t.Control = FindControl(t.Window, controlSpec);
    if (!t.Control) {
        error = Fail(L"no control " + controlSpec + L" in " + windowSpec);
        return std::nullopt;
    }
    return t;
}

int Usage() {
    return Fail(
        L"usage: wait|gone|absent WIN [ms] | dump WIN | get WIN CTL FIELD | expect WIN CTL FIELD VALUE [ms] "
        L"| "
        L"click WIN CTL | settext WIN CTL TEXT | type WIN CTL TEXT | key WIN CTL KEY | select WIN CTL ITEM | "
        L"close WIN | msgbox CAPTION [ms] | tray WIN EVENT | rect WIN | hold");
}

int Run(int argc, wchar_t** argv) {
    if (argc < 2) return Usage();
    const std::wstring command = argv[1];
    int error = 1;

    if (command == L"hold") {
        Sleep(INFINITE);
        return 0;
    }
    if (argc < 3) return Usage();
    const std::wstring win = argv[2];

    if (command == L"wait") {
        HWND hwnd = WaitWindow(ParseWindow(win), TimeoutArg(argc, argv, 3, 10000));
        if (!hwnd) return Fail(L"no window " + win + L" in time");
        Dump(hwnd);
        return 0;
    }
    if (command == L"gone" || command == L"absent") {
        // gone: waits until no such window shows; absent: none may show during the whole time.
        const WindowSpec pattern = ParseWindow(win);
        const ULONGLONG end = GetTickCount64() + TimeoutArg(argc, argv, 3, 10000);
        for (;;) {
            const bool shown = FindWindowBy(pattern) != nullptr;
            if (command == L"gone" && !shown) return 0;
            if (command == L"absent" && shown) {
                Dump(FindWindowBy(pattern));
                return Fail(L"window " + win + L" showed");
            }
            if (GetTickCount64() >= end) break;
            Sleep(kPollMs);
        }
        return command == L"gone" ? Fail(L"window " + win + L" still shown") : 0;
    }
    if (command == L"dump" || command == L"rect") {
        HWND hwnd = FindWindowBy(ParseWindow(win));
        if (!hwnd) return Fail(L"no window " + win);
        if (command == L"dump") {
            Dump(hwnd);
        } else {
            const RECT r = ScreenRect(hwnd);
            Say(std::to_wstring(r.left) + L" " + std::to_wstring(r.top) + L" " +
                std::to_wstring(r.right - r.left) + L" " + std::to_wstring(r.bottom - r.top));
        }
        return 0;
    }
    if (command == L"close") {
        HWND hwnd = WaitWindow(ParseWindow(win), 5000);
        if (!hwnd) return Fail(L"no window " + win);
        // What the close box and the window menu send.
        PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    }
    if (command == L"msgbox") {
        WindowSpec pattern = ParseWindow(win);
        const ULONGLONG end = GetTickCount64() + TimeoutArg(argc, argv, 3, 10000);
        HWND box = nullptr;
        while (!box) {
            for (HWND hwnd : TopLevel()) {
                if (Matches(hwnd, pattern) && ClassOf(hwnd) == L"#32770") box = hwnd;
            }
            if (box) break;
            if (GetTickCount64() >= end) return Fail(L"no message box " + win + L" in time");
            Sleep(kPollMs);
        }
        std::wstring text;
        HWND ok = nullptr;
        for (HWND hwnd : Descendants(box)) {
            const std::wstring cls = ClassOf(hwnd);
            if (cls == L"Static") {
                const std::wstring t = TextOf(hwnd);
                if (!t.empty()) text += (text.empty() ? L"" : L"\\n") + Escaped(t);
            } else if (cls == L"Button" && IsWindowVisible(hwnd) && !ok) {
                ok = hwnd;
            }
        }
        Say(text);
        if (!ok) return Fail(L"message box without a button");
        PostMessageW(ok, BM_CLICK, 0, 0);
        const ULONGLONG closeBy = GetTickCount64() + 5000;
        while (IsWindow(box) && IsWindowVisible(box)) {
            if (GetTickCount64() >= closeBy) return Fail(L"message box did not close");
            Sleep(kPollMs);
        }
        return 0;
    }
    if (command == L"tray") {
        if (argc < 4) return Usage();
        WindowSpec pattern = ParseWindow(win);
        pattern.Hidden = true;
        HWND hwnd = FindWindowBy(pattern);
        if (!hwnd) return Fail(L"no window " + win);
        const std::wstring event = argv[3];
        const UINT mouse = event == L"dblclk" ? WM_LBUTTONDBLCLK : event == L"rbutton" ? WM_RBUTTONDOWN : 0;
        if (!mouse) return Usage();
        // What the notification area posts for the icon (uID 1, first record layout).
        PostMessageW(hwnd, kTrayCallback, 1, mouse);
        return 0;
    }

    if (argc < 4) return Usage();
    const auto target = Resolve(win, argv[3], error);
    if (!target) return error;
    HWND control = target->Control;

    if (command == L"get" || command == L"expect") {
        if (argc < 5) return Usage();
        const std::wstring field = argv[4];
        if (command == L"get") {
            const auto value = Field(control, field);
            if (!value) return Usage();
            Say(*value);
            return 0;
        }
        if (argc < 6) return Usage();
        const std::wstring want = argv[5];
        const ULONGLONG end = GetTickCount64() + TimeoutArg(argc, argv, 6, 3000);
        for (;;) {
            const auto value = Field(control, field);
            if (!value) return Usage();
            if (*value == want) return 0;
            if (GetTickCount64() >= end) {
                return Fail(std::wstring(argv[3]) + L" " + field + L" is \"" + *value + L"\", expected \"" +
                            want + L"\"");
            }
            Sleep(kPollMs);
        }
    }
    if (command == L"click") {
        if (!BecomesUsable(control))
            return Fail(std::wstring(argv[3]) + L" cannot be clicked (hidden or disabled)");
        PostMessageW(control, BM_CLICK, 0, 0);
        return 0;
    }
    if (command == L"settext" || command == L"type") {
        if (argc < 5) return Usage();
        if (!BecomesUsable(control))
            return Fail(std::wstring(argv[3]) + L" cannot take text (hidden or disabled)");
        const std::wstring text = argv[4];
        if (command == L"settext") {
            DWORD_PTR result = 0;
            SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                                SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
            return 0;
        }
        // Select all, then the characters replace it, one key at a time.
        PostMessageW(control, EM_SETSEL, 0, -1);
        for (wchar_t ch : text) PostMessageW(control, WM_CHAR, ch, 1);
        return 0;
    }
    if (command == L"key") {
        if (argc < 5) return Usage();
        if (!BecomesUsable(control))
            return Fail(std::wstring(argv[3]) + L" cannot take keys (hidden or disabled)");
        return PostKey(control, argv[4]) ? 0 : Fail(L"unknown key " + std::wstring(argv[4]));
    }
    if (command == L"select") {
        if (argc < 5) return Usage();
        if (!BecomesUsable(control))
            return Fail(std::wstring(argv[3]) + L" cannot be changed (hidden or disabled)");
        const std::wstring item = argv[4];
        DWORD_PTR count = 0;
        SendMessageTimeoutW(control, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &count);
        for (WPARAM i = 0; i < count; ++i) {
            DWORD_PTR length = 0;
            SendMessageTimeoutW(control, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length);
            std::wstring text(length + 1, L'\0');
            SendMessageTimeoutW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()),
                                SMTO_ABORTIFHUNG, kSendTimeoutMs, &length);
            text.resize(length);
            if (text != item) continue;
            DWORD_PTR result = 0;
            SendMessageTimeoutW(control, CB_SETCURSEL, i, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
            // A user's choice from the list also tells the parent.
            const WPARAM code = MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE);
            PostMessageW(GetAncestor(control, GA_PARENT), WM_COMMAND, code,
                         reinterpret_cast<LPARAM>(control));
            return 0;
        }
        return Fail(L"no item " + item);
    }
    return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv) { return Run(argc, argv); }
