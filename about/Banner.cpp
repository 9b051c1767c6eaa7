#include "about/Banner.h"

#include <shellapi.h>

#include <string>

#include "task/SystemActionsWin32.h"

namespace {

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

void ShowBanner(HWND pane) {
    // atl.dll's window class hosts the browser control and navigates to its window text. Its class is
    // registered once: a second registration is refused.
    static const bool hostReady = [] {
        HMODULE atl = LoadLibraryW(L"atl.dll");
        const auto init = atl ? reinterpret_cast<BOOL(WINAPI*)()>(
                                    reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")))
                              : nullptr;
        return init && init();
    }();
    if (!hostReady) return;
    RECT area;
    GetClientRect(pane, &area);
    const std::wstring url = L"res://" + ModulePath() + L"/BANNER.HTML";
    CreateWindowExW(0, L"AtlAxWin", url.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, area.right, area.bottom, pane,
                    nullptr, GetModuleHandleW(nullptr), nullptr);
}

void OpenTutorial() {
    HRSRC found = FindResourceW(nullptr, L"TUTORIAL.HTML", RT_HTML);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    if (!loaded) return;
    wchar_t folder[MAX_PATH + 1];
    if (!GetTempPathW(MAX_PATH + 1, folder)) return;
    const std::wstring path = std::wstring(folder) + L"Dormora使用教程.html";
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    const BOOL saved =
        WriteFile(file, LockResource(loaded), SizeofResource(nullptr, found), &written, nullptr);
    CloseHandle(file);
    if (saved) Os().ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_HIDE);
}
