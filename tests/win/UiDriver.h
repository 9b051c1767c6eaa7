#pragma once
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "ui/Application.h"

// Runs the UI thread's queue dry; a quit message found on the way is kept aside and reported.
inline bool Pump() {
    bool quit = false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            continue;
        }
        ui::ProcessMessage(msg);
    }
    return quit;
}

// Pumps for a while, as the program's own loop would.
inline bool PumpFor(std::chrono::milliseconds span) {
    bool quit = false;
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
        quit |= Pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return quit;
}

inline std::wstring WindowText(HWND hwnd) {
    wchar_t text[1024] = L"";
    GetWindowTextW(hwnd, text, 1024);
    return text;
}

// A visible top-level window of this process with the caption, waited for from a helper thread.
inline HWND WaitForWindow(const wchar_t* caption, int timeoutMs = 5000) {
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        HWND found = nullptr;
        while ((found = FindWindowExW(nullptr, found, nullptr, caption)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(found, &pid);
            if (pid == GetCurrentProcessId() && IsWindowVisible(found) && IsWindowEnabled(found))
                return found;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
}

// Answers the next message box: returns its text and presses OK.
inline std::wstring AnswerMessageBox(int timeoutMs = 5000) {
    HWND box = WaitForWindow(L"Dormora", timeoutMs);
    if (!box) return L"(no message box)";
    const std::wstring text = WindowText(GetDlgItem(box, 0xFFFF));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return text;
}

// The first child of a window (at any depth) with the class and text.
inline HWND FindChild(HWND parent, const wchar_t* className, const wchar_t* text) {
    struct Query {
        const wchar_t* ClassName;
        const wchar_t* Text;
        HWND Found;
    } query{className, text, nullptr};
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            auto& q = *reinterpret_cast<Query*>(data);
            wchar_t name[64];
            GetClassNameW(child, name, 64);
            if (_wcsicmp(name, q.ClassName) == 0 && (!q.Text || WindowText(child) == q.Text)) {
                q.Found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.Found;
}

// Runs the user's side on a helper thread while the UI thread runs an action that blocks in a modal loop.
class UserThread {
public:
    explicit UserThread(std::function<void()> steps)
        : thread_([this, steps = std::move(steps)] {
              steps();
              done_ = true;
          }) {}
    ~UserThread() {
        // The UI thread keeps pumping until the user's side is done, so that no send waits forever.
        while (!done_) PumpFor(std::chrono::milliseconds(20));
        thread_.join();
    }

private:
    std::atomic<bool> done_{false};
    std::thread thread_;
};
