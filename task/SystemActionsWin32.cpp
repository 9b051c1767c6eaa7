#include "task/SystemActionsWin32.h"

#include <shellapi.h>

namespace {

constexpr DWORD kTokenAccess = TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY;  // 40

ActionResult Outcome(bool succeeded) { return {succeeded, succeeded ? 0 : GetLastError()}; }

// ShellExecute answers with a number of its own below 33; the system's error code says the same in words.
DWORD ShellError(INT_PTR code) {
    switch (code) {
        case 0: return ERROR_NOT_ENOUGH_MEMORY;
        case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
        case SE_ERR_ASSOCINCOMPLETE:
        case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
        case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
        default: return static_cast<DWORD>(code);
    }
}

}  // namespace

SystemCalls& Os() {
    static SystemCalls calls;
    return calls;
}

bool EnablePrivilege(const char* name, bool enable) {
    HANDLE token = nullptr;
    Os().OpenProcessToken(Os().GetCurrentProcess(), kTokenAccess, &token);
    TOKEN_PRIVILEGES newState{};
    TOKEN_PRIVILEGES previous{};
    static_assert(sizeof(TOKEN_PRIVILEGES) == 16);
    newState.PrivilegeCount = 1;
    bool result = false;
    if (Os().LookupPrivilegeValueA(nullptr, name, &newState.Privileges[0].Luid)) {
        newState.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
        DWORD returned = 0;
        // Success of the call is what counts: a token without the privilege still answers TRUE.
        result =
            Os().AdjustTokenPrivileges(token, FALSE, &newState, sizeof previous, &previous, &returned) != 0;
    }
    if (token) Os().CloseHandle(token);
    return result;
}

bool ExitSystem(UINT flags) {
    if (!EnablePrivilege("SeShutdownPrivilege", true)) return false;
    const bool accepted = Os().ExitWindowsEx(flags, 0) != 0;
    const DWORD error = GetLastError();
    EnablePrivilege("SeShutdownPrivilege", false);
    SetLastError(error);
    return accepted;
}

ActionResult SystemActionsWin32::PowerOff() { return Outcome(ExitSystem(kPowerOffFlags)); }

ActionResult SystemActionsWin32::Restart() { return Outcome(ExitSystem(kRestartFlags)); }

ActionResult SystemActionsWin32::Lock() { return Outcome(Os().LockWorkStation() != 0); }

ActionResult SystemActionsWin32::Open(const std::wstring& file) {
    const auto code = reinterpret_cast<INT_PTR>(
        Os().ShellExecuteW(Parent, nullptr, file.c_str(), nullptr, nullptr, SW_SHOW));
    if (code > 32) return {};
    return {false, ShellError(code)};
}
