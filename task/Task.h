#pragma once
#include <string>

#include "task/DateTime.h"
#include "task/PromptCountdown.h"

enum TaskModeValue { tmFixedTime = 0, tmDelay = 1, tmReminder = 2 };
enum TaskActionValue { taShutdown = 0, taRestart = 1, taLock = 2, taOpenFile = 3 };

enum class TaskSpin { Hour1, Min1, Hour2, Min2, Hour3, Min3, CountdownLength };

// The settings panel of the main window, read live whenever a value is needed: the settings stay in the
// controls and nothing copies them.
class TaskPanel {
public:
    virtual ~TaskPanel() = default;
    virtual int CheckedModeButton() const = 0;  // 1 to 3 for RadioButton1 to RadioButton3, 0 for none
    virtual DateTime PickerDate() const = 0;    // DateTimePicker1; only the calendar date counts
    virtual int SpinValue(TaskSpin spin) const = 0;
    virtual bool CountdownTicked() const = 0;  // CheckBox2
    virtual int ActionIndex() const = 0;       // ComboBox1
    // Idle: both group boxes and btnStartTask enabled, btnCancelTask disabled; armed: the reverse.
    virtual void ShowArmed(bool armed) = 0;
    virtual void SetTaskTimer(bool enabled) = 0;  // TimerTask; enabling a running timer keeps its phase
    virtual void ShowMessage(const std::wstring& text) = 0;
    virtual void ReportActionFailure(int action, unsigned long error) = 0;
};

// The shared prompt window, PromptForm in the main window.
class PromptHost {
public:
    virtual ~PromptHost() = default;
    virtual bool PromptExists() const = 0;
    virtual void CreatePrompt() = 0;
    virtual void DestroyPrompt() = 0;  // closes and destroys it, and empties the reference
    virtual bool PromptVisible() const = 0;
    virtual int PromptMode() const = 0;
    virtual void SetPromptMode(int mode) = 0;
    virtual void SetSecondsLeft(int seconds) = 0;
    virtual void ShowPrompt() = 0;
    virtual void ClosePrompt() = 0;
};

// Outcome of a system action: the system's error code when it failed.
struct ActionResult {
    bool Succeeded = true;
    unsigned long Error = 0;
};

class SystemActions {
public:
    virtual ~SystemActions() = default;
    virtual ActionResult PowerOff() = 0;
    virtual ActionResult Restart() = 0;
    virtual ActionResult Lock() = 0;
    virtual ActionResult Open(const std::wstring& file) = 0;
};

// The one task of the program: its state, arming, the per-second ticker and the execution.
class Task {
public:
    Task(TaskPanel& panel, PromptHost& prompt, Clock& clock, SystemActions& actions)
        : panel_(panel), prompt_(prompt), clock_(clock), actions_(actions) {}

    int TaskMode = tmFixedTime;
    bool Armed = false;
    bool Triggered = false;
    bool PromptShown = false;
    int ElapsedSeconds = 0;
    int IntervalSeconds = 0;
    int CountdownTicks = 0;
    std::wstring TargetFile;  // full path, kept in UTF-16 so that any file name can be opened

    DateTime GetTargetTime() const;
    void Arm();
    void Tick();
    void ExecuteTask();
    void Abandon();  // after the password check has accepted the abandon

private:
    void ClosePromptIfVisible();
    void RunCountdownStep();

    TaskPanel& panel_;
    PromptHost& prompt_;
    Clock& clock_;
    SystemActions& actions_;
};
