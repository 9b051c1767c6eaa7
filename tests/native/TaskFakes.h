// Stand-ins for the main window, the prompt window, the clock and the system, so that Task runs natively.
// Everything the task does to them goes into one log, each line prefixed with its tick, so that tests can
// check both the timing and the order of what the user would see.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "task/PromptCountdown.h"
#include "task/Task.h"

struct EventLog {
    int tick = 0;
    std::vector<std::string> lines;

    void Add(const std::string& what) { lines.push_back(std::to_string(tick) + " " + what); }
};

inline DateTime AddSeconds(const DateTime& t, long long seconds) {
    using namespace std::chrono;
    const sys_seconds start = sys_days{year{t.Year} / t.Month / t.Day} + hours{t.Hour} + minutes{t.Minute} +
                              std::chrono::seconds{t.Second};
    const sys_seconds moved = start + std::chrono::seconds{seconds};
    const sys_days day = floor<days>(moved);
    const year_month_day date{day};
    const hh_mm_ss<std::chrono::seconds> time{moved - day};
    return {static_cast<int>(date.year()),
            static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())),
            static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()),
            static_cast<int>(time.seconds().count())};
}

class FakeClock : public Clock {
public:
    DateTime now{2009, 12, 31, 23, 58, 30};

    DateTime Now() const override { return now; }
    void Advance(long long seconds) { now = AddSeconds(now, seconds); }
};

// The settings controls as plain fields; what the task shows on the panel is kept and logged.
class FakePanel : public TaskPanel {
public:
    explicit FakePanel(EventLog& log) : log_(log) {}

    int modeButton = 0;
    DateTime pickerDate{2010, 1, 1, 17, 45, 33};  // a time of day the target must ignore
    int hour1 = 0, min1 = 0, hour2 = 0, min2 = 1, hour3 = 0, min3 = 1;
    int countdownLength = 30;
    bool countdownTicked = true;
    int actionIndex = taShutdown;

    bool armedShown = false;
    bool timerOn = false;
    std::vector<std::wstring> messages;
    struct Failure {
        int action;
        unsigned long error;
    };
    std::vector<Failure> failures;

    int CheckedModeButton() const override { return modeButton; }
    DateTime PickerDate() const override { return pickerDate; }
    int SpinValue(TaskSpin spin) const override {
        switch (spin) {
            case TaskSpin::Hour1: return hour1;
            case TaskSpin::Min1: return min1;
            case TaskSpin::Hour2: return hour2;
            case TaskSpin::Min2: return min2;
            case TaskSpin::Hour3: return hour3;
            case TaskSpin::Min3: return min3;
            case TaskSpin::CountdownLength: return countdownLength;
        }
        ADD_FAILURE() << "unknown spin";
        return 0;
    }
    bool CountdownTicked() const override { return countdownTicked; }
    int ActionIndex() const override { return actionIndex; }

    void ShowArmed(bool armed) override {
        armedShown = armed;
        log_.Add(armed ? "armed" : "idle");
    }
    void SetTaskTimer(bool enabled) override {
        timerOn = enabled;
        log_.Add(enabled ? "timer on" : "timer off");
    }
    void ShowMessage(const std::wstring& text) override {
        messages.push_back(text);
        log_.Add("message");
    }
    void ReportActionFailure(int action, unsigned long error) override {
        failures.push_back({action, error});
        log_.Add("failure " + std::to_string(action) + " " + std::to_string(error));
    }

private:
    EventLog& log_;
};

// Behaves like the prompt window: Show on a hidden window presents the face and number of the moment, Show on
// a visible one only raises it, Close hides, Destroy empties the reference. Touching a prompt that does not
// exist is a fault, as it would be on the real window.
class FakePrompt : public PromptHost {
public:
    explicit FakePrompt(EventLog& log) : log_(log) {}

    bool exists = false;
    bool visible = false;
    int creations = 0;
    int destructions = 0;
    PromptCountdown window;          // the mode and number the window holds
    int displayed = 0;               // the number on screen
    std::optional<PromptFace> face;  // the controls on screen

    bool PromptExists() const override { return exists; }
    void CreatePrompt() override {
        if (exists) ADD_FAILURE() << "prompt created while one exists";
        exists = true;
        visible = false;
        window = {};
        face.reset();
        ++creations;
        log_.Add("create");
    }
    void DestroyPrompt() override {
        Require("destroy");
        exists = visible = false;
        ++destructions;
        log_.Add("destroy");
    }
    bool PromptVisible() const override {
        Require("visible");
        return visible;
    }
    int PromptMode() const override {
        Require("mode");
        return window.PromptMode;
    }
    void SetPromptMode(int mode) override {
        Require("set mode");
        window.PromptMode = mode;
    }
    void SetSecondsLeft(int seconds) override {
        Require("set seconds");
        window.SecondsLeft = seconds;
    }
    void ShowPrompt() override {
        Require("show");
        if (visible) {
            log_.Add("raise");
            return;
        }
        visible = true;
        if (auto shownFace = window.FaceOnShow()) face = shownFace;
        displayed = window.SecondsLeft;
        log_.Add(window.PromptMode == pmTimeUp ? "time-up" : "countdown " + std::to_string(displayed));
    }
    void ClosePrompt() override {
        Require("close");
        visible = false;
        log_.Add("close");
    }

    // Put on screen by another part of the program, outside the task's control; not counted as a creation.
    void OpenElsewhere(int mode, int seconds) {
        exists = visible = true;
        window = {mode, seconds};
        displayed = seconds;
        face = window.FaceOnShow();
    }
    void UserCloses() {
        visible = false;
        log_.Add("user closes");
    }
    // The window's own one-second timer, as it runs while the window is on screen.
    void TickWindow() {
        if (!exists || !visible) return;
        switch (window.Tick()) {
            case PromptCountdown::TickEffect::None: break;
            case PromptCountdown::TickEffect::NumberChanged: displayed = window.SecondsLeft; break;
            case PromptCountdown::TickEffect::StopAndClose:
                visible = false;
                log_.Add("closes itself");
                break;
        }
    }

private:
    void Require(const char* what) const {
        if (!exists) ADD_FAILURE() << what << " on a prompt that does not exist";
    }

    EventLog& log_;
};

// The visible controls of a face, for readable comparisons.
inline std::string VisibleControls(const std::optional<PromptFace>& face) {
    if (!face) return "none";
    std::string text;
    const std::pair<bool, const char*> controls[] = {{face->Label1, "Label1"}, {face->Label2, "Label2"},
                                                     {face->Label3, "Label3"}, {face->Label4, "Label4"},
                                                     {face->Label5, "Label5"}, {face->Button1, "Button1"}};
    for (const auto& [shown, name] : controls) {
        if (shown) text += text.empty() ? name : std::string(" ") + name;
    }
    return text;
}

// Records each action with the tick it ran on; can be told to fail with a system error code.
class RecordingActions : public SystemActions {
public:
    explicit RecordingActions(EventLog& log) : log_(log) {}

    struct Call {
        int tick;
        int action;
        std::wstring file;
    };
    std::vector<Call> calls;
    bool fail = false;
    unsigned long error = 0;
    std::function<void()> during;  // runs inside the action, to look at the program at that moment

    ActionResult PowerOff() override { return Record(taShutdown, L"", "PowerOff"); }
    ActionResult Restart() override { return Record(taRestart, L"", "Restart"); }
    ActionResult Lock() override { return Record(taLock, L"", "Lock"); }
    ActionResult Open(const std::wstring& file) override { return Record(taOpenFile, file, "Open"); }

private:
    ActionResult Record(int action, const std::wstring& file, const char* name) {
        calls.push_back({log_.tick, action, file});
        log_.Add(name);
        if (during) during();
        return fail ? ActionResult{false, error} : ActionResult{};
    }

    EventLog& log_;
};
