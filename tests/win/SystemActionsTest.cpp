#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "task/SystemActionsWin32.h"

namespace {

// Records every system call the actions make, answering as told.
struct Recorder {
    std::vector<std::string> Calls;
    BOOL OpenResult = TRUE, LookupResult = TRUE, AdjustResult = TRUE, ExitResult = TRUE;
    DWORD AdjustError = ERROR_SUCCESS;
    int OpenTokens = 0;
};
Recorder* recorder = nullptr;
const HANDLE kToken = reinterpret_cast<HANDLE>(0x1234);

class SystemActionsTest : public testing::Test {
protected:
    void SetUp() override {
        recorder = &rec;
        saved = Os();
        Os().GetCurrentProcess = [] { return reinterpret_cast<HANDLE>(-1); };
        Os().OpenProcessToken = [](HANDLE process, DWORD access, HANDLE* token) -> BOOL {
            recorder->Calls.push_back("OpenProcessToken " + std::to_string(access) +
                                      (process == reinterpret_cast<HANDLE>(-1) ? " self" : " other"));
            if (!recorder->OpenResult) return FALSE;
            ++recorder->OpenTokens;
            *token = kToken;
            return TRUE;
        };
        Os().LookupPrivilegeValueA = [](const char* system, const char* name, LUID* luid) -> BOOL {
            recorder->Calls.push_back(std::string("Lookup ") + (system ? "remote " : "") + name);
            luid->LowPart = 19;
            luid->HighPart = 0;
            return recorder->LookupResult;
        };
        Os().AdjustTokenPrivileges = [](HANDLE token, BOOL all, TOKEN_PRIVILEGES* state, DWORD length,
                                        TOKEN_PRIVILEGES* previous, DWORD* returned) -> BOOL {
            recorder->Calls.push_back("Adjust " + std::string(token == kToken ? "token" : "none") +
                                      " all=" + std::to_string(all) +
                                      " count=" + std::to_string(state->PrivilegeCount) +
                                      " luid=" + std::to_string(state->Privileges[0].Luid.LowPart) +
                                      " attr=" + std::to_string(state->Privileges[0].Attributes) +
                                      " len=" + std::to_string(length) +
                                      (previous && returned && *returned == 0 ? " previous" : ""));
            SetLastError(recorder->AdjustError);
            return token == kToken && recorder->AdjustResult;
        };
        Os().CloseHandle = [](HANDLE handle) -> BOOL {
            recorder->Calls.push_back("CloseHandle");
            if (handle == kToken) --recorder->OpenTokens;
            return TRUE;
        };
        Os().ExitWindowsEx = [](UINT flags, DWORD reason) -> BOOL {
            recorder->Calls.push_back("ExitWindowsEx " + std::to_string(flags) + " " +
                                      std::to_string(reason));
            if (!recorder->ExitResult) SetLastError(ERROR_PRIVILEGE_NOT_HELD);
            return recorder->ExitResult;
        };
    }
    void TearDown() override {
        Os() = saved;
        recorder = nullptr;
    }

    Recorder rec;
    SystemCalls saved;
};

const std::vector<std::string> kEnable = {"OpenProcessToken 40 self", "Lookup SeShutdownPrivilege",
                                          "Adjust token all=0 count=1 luid=19 attr=2 len=16 previous",
                                          "CloseHandle"};
const std::vector<std::string> kDisable = {"OpenProcessToken 40 self", "Lookup SeShutdownPrivilege",
                                           "Adjust token all=0 count=1 luid=19 attr=0 len=16 previous",
                                           "CloseHandle"};

std::vector<std::string> Joined(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

}  // namespace

TEST_F(SystemActionsTest, PowerOffAndRestartEnableTheShutdownPrivilegeAroundTheCall) {
    SystemActionsWin32 actions;
    EXPECT_TRUE(actions.PowerOff().Succeeded);
    EXPECT_EQ(rec.Calls, Joined({kEnable, {"ExitWindowsEx 13 0"}, kDisable}));
    rec.Calls.clear();
    EXPECT_TRUE(actions.Restart().Succeeded);
    EXPECT_EQ(rec.Calls, Joined({kEnable, {"ExitWindowsEx 6 0"}, kDisable}));
    EXPECT_EQ(rec.OpenTokens, 0);
}

TEST_F(SystemActionsTest, NoShutdownWhenThePrivilegeCannotBeEnabled) {
    struct Case {
        const char* Name;
        BOOL Open, Lookup, Adjust;
    };
    for (const Case& c : {Case{"token", FALSE, TRUE, TRUE}, Case{"lookup", TRUE, FALSE, TRUE},
                          Case{"adjust", TRUE, TRUE, FALSE}}) {
        SCOPED_TRACE(c.Name);
        rec = {};
        rec.OpenResult = c.Open;
        rec.LookupResult = c.Lookup;
        rec.AdjustResult = c.Adjust;
        EXPECT_FALSE(ExitSystem(kPowerOffFlags));
        for (const std::string& call : rec.Calls) EXPECT_EQ(call.find("ExitWindowsEx"), std::string::npos);
        EXPECT_EQ(rec.OpenTokens, 0);  // every token opened is closed again
    }
}

TEST_F(SystemActionsTest, AdjustmentThatLeavesNotAllAssignedStillCountsAsEnabled) {
    rec.AdjustError = ERROR_NOT_ALL_ASSIGNED;
    EXPECT_TRUE(EnablePrivilege("SeShutdownPrivilege", true));
}

TEST_F(SystemActionsTest, RefusedShutdownKeepsTheSystemsReasonAfterDisabling) {
    rec.ExitResult = FALSE;
    SystemActionsWin32 actions;
    const ActionResult result = actions.PowerOff();
    EXPECT_FALSE(result.Succeeded);
    EXPECT_EQ(result.Error, static_cast<unsigned long>(ERROR_PRIVILEGE_NOT_HELD));
    EXPECT_EQ(rec.Calls, Joined({kEnable, {"ExitWindowsEx 13 0"}, kDisable}));
}

TEST(SystemActionsOpen, OpenPassesTheWholePathToTheShellWithTheDefaultVerb) {
    static std::vector<std::wstring> calls;
    const SystemCalls saved = Os();
    Os().ShellExecuteW = [](HWND parent, const wchar_t* verb, const wchar_t* file, const wchar_t* parameters,
                            const wchar_t* folder, INT show) -> HINSTANCE {
        calls.push_back(std::wstring(parent == reinterpret_cast<HWND>(0x42) ? L"main " : L"other ") +
                        (verb ? verb : L"(default)") + L" " + file + L" " + (parameters ? parameters : L"-") +
                        L" " + (folder ? folder : L"-") + L" " + std::to_wstring(show));
        return reinterpret_cast<HINSTANCE>(file[0] ? 42 : SE_ERR_FNF);
    };
    SystemActionsWin32 actions;
    actions.Parent = reinterpret_cast<HWND>(0x42);
    EXPECT_TRUE(actions.Open(L"D:\\文档\\ünï ☃.txt").Succeeded);
    const ActionResult empty = actions.Open(L"");
    Os() = saved;
    EXPECT_FALSE(empty.Succeeded);
    EXPECT_EQ(empty.Error, static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(calls, (std::vector<std::wstring>{L"main (default) D:\\文档\\ünï ☃.txt - - 5",
                                                L"main (default)  - - 5"}));
}
