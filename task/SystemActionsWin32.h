#pragma once
#include <windows.h>

#include <shellapi.h>

#include "task/Task.h"

// The system functions the actions call, in a table that tests replace to record the calls.
struct SystemCalls {
    decltype(&::GetCurrentProcess) GetCurrentProcess = ::GetCurrentProcess;
    decltype(&::OpenProcessToken) OpenProcessToken = ::OpenProcessToken;
    decltype(&::LookupPrivilegeValueA) LookupPrivilegeValueA = ::LookupPrivilegeValueA;
    decltype(&::AdjustTokenPrivileges) AdjustTokenPrivileges = ::AdjustTokenPrivileges;
    decltype(&::CloseHandle) CloseHandle = ::CloseHandle;
    decltype(&::ExitWindowsEx) ExitWindowsEx = ::ExitWindowsEx;
    decltype(&::LockWorkStation) LockWorkStation = ::LockWorkStation;
    decltype(&::ShellExecuteW) ShellExecuteW = ::ShellExecuteW;
};

SystemCalls& Os();

constexpr UINT kPowerOffFlags = EWX_SHUTDOWN | EWX_FORCE | EWX_POWEROFF;  // 13
constexpr UINT kRestartFlags = EWX_REBOOT | EWX_FORCE;                    // 6

// Enables or disables a privilege in this process's token; true when the adjustment call succeeded.
bool EnablePrivilege(const char* name, bool enable);
// Shuts down or restarts with the shutdown privilege enabled around the call; true when the system accepted.
// A refusal leaves the system's error as the thread's last error.
bool ExitSystem(UINT flags);

class SystemActionsWin32 : public SystemActions {
public:
    HWND Parent = nullptr;  // of the shell's own windows when it opens a file

    ActionResult PowerOff() override;
    ActionResult Restart() override;
    ActionResult Lock() override;
    ActionResult Open(const std::wstring& file) override;
};
