#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "task/Task.h"
#include "tests/native/TaskFakes.h"

namespace {

using Lines = std::vector<std::string>;

const std::wstring kTargetPassed = L"当前日期已经超过您设定的日期了,请检查！";
const std::wstring kTooShort = L"间隔时间太短了，请重新设置";

// Radio buttons as the panel numbers them.
constexpr int kFixedButton = 1, kDelayButton = 2, kReminderButton = 3;

// With the fakes' defaults, delay and reminder run every 60 s, and the fixed-time target (2010-01-01 00:00,
// the picker's time of day ignored) falls 90 s after the clock's start, across a year boundary.

struct Rig {
    EventLog log;
    FakePanel panel{log};
    FakePrompt prompt{log};
    FakeClock clock;
    RecordingActions actions{log};
    Task task{panel, prompt, clock, actions};

    // One second: the clock moves, the prompt's own timer fires, then the task's timer if it is running.
    void Second() {
        ++log.tick;
        clock.Advance(1);
        prompt.TickWindow();
        if (panel.timerOn) task.Tick();
    }
    void RunTo(int tick) {
        while (log.tick < tick) Second();
    }
    void ArmWith(int button) {
        panel.modeButton = button;
        task.Arm();
    }
    Lines Take() { return std::exchange(log.lines, {}); }
};

auto State(const Task& t) {
    return std::make_tuple(t.TaskMode, t.Armed, t.Triggered, t.PromptShown, t.ElapsedSeconds,
                           t.IntervalSeconds, t.CountdownTicks);
}

DateTime TargetOf(const FakePanel& panel) {
    DateTime target = panel.pickerDate;
    target.Hour = panel.hour1;
    target.Minute = panel.min1;
    target.Second = 0;
    return target;
}

TEST(TaskArmTest, ArmsOrRefusesFromTheSettings) {
    const DateTime now{2009, 12, 18, 8, 5, 3};
    const DateTime today{2009, 12, 18, 0, 0, 0};
    struct Spins {
        int hour1, min1, hour2, min2, hour3, min3;
    };
    // clang-format off
    const struct {
        const char* name;
        DateTime now;
        int button, modeBefore;
        DateTime picker;
        Spins spins;
        const std::wstring* message;  // null: arms
        int mode, interval;
    } cases[] = {
        {"fixed: target is now", {2009, 12, 18, 8, 5, 0}, 1, tmDelay, today, {8, 5, 0, 1, 0, 1},
         &kTargetPassed, tmFixedTime, 777},
        {"fixed: current minute", now, 1, tmDelay, today, {8, 5, 0, 1, 0, 1}, &kTargetPassed, tmFixedTime,
         777},
        {"fixed: one minute ahead", now, 1, tmReminder, today, {8, 6, 0, 1, 0, 1}, nullptr, tmFixedTime, 777},
        {"fixed: far past", now, 1, tmDelay, {2001, 1, 1, 0, 0, 0}, {12, 0, 0, 1, 0, 1}, &kTargetPassed,
         tmFixedTime, 777},
        {"fixed: picker's time of day ignored", now, 1, tmDelay, {2009, 12, 18, 23, 0, 0}, {8, 4, 0, 1, 0, 1},
         &kTargetPassed, tmFixedTime, 777},
        {"fixed: tomorrow at midnight", now, 1, tmDelay, {2009, 12, 19, 0, 0, 0}, {0, 0, 0, 1, 0, 1}, nullptr,
         tmFixedTime, 777},
        {"delay 0h0m", now, 2, tmFixedTime, today, {0, 0, 0, 0, 1, 1}, &kTooShort, tmDelay, 0},
        {"delay 0h1m", now, 2, tmFixedTime, today, {0, 0, 0, 1, 0, 0}, nullptr, tmDelay, 60},
        {"delay 100h100m", now, 2, tmFixedTime, today, {0, 0, 100, 100, 0, 0}, nullptr, tmDelay, 366000},
        {"reminder 0h0m", now, 3, tmDelay, today, {0, 0, 1, 1, 0, 0}, &kTooShort, tmReminder, 0},
        {"reminder 0h1m", now, 3, tmDelay, today, {0, 0, 0, 0, 0, 1}, nullptr, tmReminder, 60},
        {"reminder 100h100m", now, 3, tmDelay, today, {0, 0, 0, 0, 100, 100}, nullptr, tmReminder, 366000},
        {"no button keeps reminder", now, 0, tmReminder, today, {0, 0, 0, 0, 0, 2}, nullptr, tmReminder, 120},
        {"no button keeps fixed time", now, 0, tmFixedTime, today, {8, 4, 0, 1, 0, 1}, &kTargetPassed,
         tmFixedTime, 777},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.clock.now = c.now;
        r.panel.pickerDate = c.picker;
        r.panel.hour1 = c.spins.hour1, r.panel.min1 = c.spins.min1;
        r.panel.hour2 = c.spins.hour2, r.panel.min2 = c.spins.min2;
        r.panel.hour3 = c.spins.hour3, r.panel.min3 = c.spins.min3;
        r.task.TaskMode = c.modeBefore;
        r.task.IntervalSeconds = 777;
        r.ArmWith(c.button);
        EXPECT_EQ(c.mode, r.task.TaskMode);
        EXPECT_EQ(c.interval, r.task.IntervalSeconds);
        EXPECT_EQ(!c.message, r.task.Armed);
        if (c.message) {
            EXPECT_EQ(std::vector<std::wstring>{*c.message}, r.panel.messages);
            EXPECT_EQ(Lines{"0 message"}, r.log.lines);
        } else {
            EXPECT_EQ((Lines{"0 armed", "0 timer on"}), r.log.lines);
        }
    }
}

TEST(TaskArmTest, RefusedArmingLeavesARunningCountdownAlone) {
    // clang-format off
    const struct {
        const char* name;
        int button;
        int mode, interval;
        int runTo;
        Lines lines;
    } cases[] = {
        {"fixed time passed", kFixedButton, tmFixedTime, 60, 95,
         {"70 message", "90 closes itself", "90 timer off", "90 idle", "90 destroy", "90 PowerOff"}},
        {"delay of zero", kDelayButton, tmDelay, 0, 95,
         {"70 message", "90 closes itself", "90 timer off", "90 idle", "90 destroy", "90 PowerOff"}},
        {"reminder of zero", kReminderButton, tmReminder, 0, 70, {"70 message"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.ArmWith(kDelayButton);
        r.RunTo(70);  // counting down since 60
        r.Take();
        auto expected = State(r.task);
        std::get<0>(expected) = c.mode;
        std::get<5>(expected) = c.interval;
        r.panel.pickerDate = {2001, 1, 1, 0, 0, 0};
        r.panel.min2 = r.panel.min3 = 0;
        r.ArmWith(c.button);
        EXPECT_EQ(expected, State(r.task));
        EXPECT_TRUE(r.prompt.visible);
        r.RunTo(c.runTo);
        EXPECT_EQ(c.lines, r.log.lines);
    }
}

TEST(TaskTimelineTest, ShowsThePromptAndActsOnTheRightTicks) {
    // clang-format off
    const struct {
        const char* name;
        int button;
        bool ticked;
        int length;
        int action;
        int runTo;
        Lines lines;
        bool armedAfter;
        int jumpAt = 0, jumpBy = 0;  // the clock set after that tick
    } cases[] = {
        {"delay with countdown", kDelayButton, true, 60, taShutdown, 130,
         {"60 create", "60 countdown 60", "120 closes itself", "120 timer off", "120 idle", "120 destroy",
          "120 PowerOff"},
         false},
        {"delay without countdown", kDelayButton, false, 60, taRestart, 130,
         {"60 timer off", "60 idle", "60 Restart"}, false},
        {"fixed time with countdown", kFixedButton, true, 10, taLock, 110,
         {"90 create", "90 countdown 10", "100 closes itself", "100 timer off", "100 idle", "100 destroy",
          "100 Lock"},
         false},
        {"fixed time without countdown", kFixedButton, false, 10, taOpenFile, 110,
         {"90 timer off", "90 idle", "90 Open"}, false},
        {"reminder ignores the countdown box", kReminderButton, true, 10, taShutdown, 190,
         {"60 create", "60 time-up", "120 raise", "180 raise"}, true},
        {"zero-second countdown", kDelayButton, true, 0, taShutdown, 70,
         {"60 create", "60 countdown 0", "60 timer off", "60 idle", "60 destroy", "60 PowerOff"}, false},
        {"fixed time, clock set back mid-countdown", kFixedButton, true, 10, taLock, 110,
         {"90 create", "90 countdown 10", "100 closes itself", "100 timer off", "100 idle", "100 destroy",
          "100 Lock"},
         false, 95, -3600},
        {"fixed time, clock set past the target", kFixedButton, false, 10, taLock, 30,
         {"11 timer off", "11 idle", "11 Lock"}, false, 10, 3600},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.panel.countdownTicked = c.ticked;
        r.panel.countdownLength = c.length;
        r.panel.actionIndex = c.action;
        r.ArmWith(c.button);
        r.Take();
        r.RunTo(c.jumpAt);
        r.clock.Advance(c.jumpBy);
        r.RunTo(c.runTo);
        EXPECT_EQ(c.lines, r.log.lines);
        EXPECT_EQ(c.armedAfter, r.task.Armed);
        EXPECT_EQ(c.armedAfter, r.panel.timerOn);
    }
}

TEST(TaskTimelineTest, IdleTicksDoNothing) {
    // clang-format off
    const struct {
        const char* name;
        std::function<void(Rig&)> setUp;
    } cases[] = {
        {"never armed, target long past", [](Rig& r) { r.clock.now = {2011, 1, 1, 0, 0, 0}; }},
        {"after a refused arming",
         [](Rig& r) {
             r.panel.min2 = 0;
             r.ArmWith(kDelayButton);
         }},
        {"after the action",
         [](Rig& r) {
             r.panel.countdownTicked = false;
             r.ArmWith(kDelayButton);
             r.RunTo(60);
         }},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        c.setUp(r);
        r.Take();
        const auto before = State(r.task);
        for (int i = 0; i < 200; ++i) {
            r.clock.Advance(1);
            r.task.Tick();  // a tick already queued when the timer stopped
        }
        EXPECT_EQ(before, State(r.task));
        EXPECT_EQ(Lines{}, r.log.lines);
    }
}

TEST(TaskTimelineTest, ReArmingWhileArmed) {
    // clang-format off
    const struct {
        const char* name;
        int button;
        int reArmAt, runTo;
        Lines lines;
    } cases[] = {
        {"delay restarts", kDelayButton, 70, 170,
         {"70 close", "70 armed", "70 timer on", "130 countdown 30", "160 closes itself", "160 timer off",
          "160 idle", "160 destroy", "160 PowerOff"}},
        {"fixed time already passed", kFixedButton, 100, 130,
         {"100 message", "120 closes itself", "120 timer off", "120 idle", "120 destroy", "120 PowerOff"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.ArmWith(c.button);
        r.RunTo(c.reArmAt);
        r.Take();
        r.ArmWith(c.button);
        r.RunTo(c.runTo);
        EXPECT_EQ(c.lines, r.log.lines);
        EXPECT_EQ(1u, r.actions.calls.size());
    }
}

TEST(TaskPromptTest, CreatesReusesAndDestroysThePrompt) {
    Rig r;
    r.panel.countdownLength = 5;
    r.ArmWith(kReminderButton);
    r.RunTo(60);
    EXPECT_EQ((Lines{"0 armed", "0 timer on", "60 create", "60 time-up"}), r.Take());
    EXPECT_EQ("Label4 Button1", VisibleControls(r.prompt.face));

    r.prompt.UserCloses();
    r.RunTo(120);
    EXPECT_EQ((Lines{"60 user closes", "120 time-up"}), r.Take());

    // The reminder's window serves the countdown and goes with the action.
    r.ArmWith(kDelayButton);
    r.RunTo(185);
    EXPECT_EQ((Lines{"120 close", "120 armed", "120 timer on", "180 countdown 5", "185 closes itself",
                     "185 timer off", "185 idle", "185 destroy", "185 PowerOff"}),
              r.Take());
    EXPECT_EQ(1, r.prompt.creations);
    EXPECT_EQ(1, r.prompt.destructions);
    EXPECT_EQ("Label1 Label2 Label3 Label5", VisibleControls(r.prompt.face));

    r.ArmWith(kDelayButton);
    r.RunTo(250);
    EXPECT_EQ((Lines{"185 armed", "185 timer on", "245 create", "245 countdown 5", "250 closes itself",
                     "250 timer off", "250 idle", "250 destroy", "250 PowerOff"}),
              r.Take());
    EXPECT_EQ(2, r.prompt.creations);

    // Without a countdown a hidden prompt is not shown, only destroyed.
    r.ArmWith(kReminderButton);
    r.RunTo(310);
    r.prompt.UserCloses();
    r.panel.countdownTicked = false;
    r.ArmWith(kDelayButton);
    r.RunTo(370);
    EXPECT_EQ((Lines{"250 armed", "250 timer on", "310 create", "310 time-up", "310 user closes", "310 armed",
                     "310 timer on", "370 timer off", "370 idle", "370 destroy", "370 PowerOff"}),
              r.Take());
    EXPECT_EQ(3, r.prompt.creations);
    EXPECT_EQ(3, r.prompt.destructions);
}

TEST(TaskPromptTest, TriggerWhileThePromptIsVisible) {
    // clang-format off
    const struct {
        const char* name;
        int button;
        int shownMode;
        int closedAt;  // 0: left open
        int runTo;
        Lines lines;
    } cases[] = {
        {"countdown shown once the notice is closed", kDelayButton, pmTimeUp, 63, 75,
         {"63 user closes", "64 countdown 6", "70 closes itself", "70 timer off", "70 idle", "70 destroy",
          "70 PowerOff"}},
        {"notice left open: no countdown, action on time", kDelayButton, pmTimeUp, 0, 75,
         {"70 timer off", "70 idle", "70 destroy", "70 PowerOff"}},
        {"reminder replaces a countdown face", kReminderButton, pmCountdown, 0, 60,
         {"60 close", "60 time-up"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.panel.countdownLength = 10;
        r.ArmWith(c.button);
        r.prompt.OpenElsewhere(c.shownMode, 1000);
        r.Take();
        if (c.closedAt) {
            r.RunTo(c.closedAt);
            r.prompt.UserCloses();
        }
        r.RunTo(c.runTo);
        EXPECT_EQ(c.lines, r.log.lines);
    }
}

TEST(TaskActionTest, ActionIndexIsReadAtExecution) {
    const std::wstring file = L"D:\\报告\\月报 2009.xls";
    // clang-format off
    const struct {
        int index;
        Lines lines;
    } cases[] = {
        {taShutdown, {"60 timer off", "60 idle", "60 PowerOff"}},
        {taRestart, {"60 timer off", "60 idle", "60 Restart"}},
        {taLock, {"60 timer off", "60 idle", "60 Lock"}},
        {taOpenFile, {"60 timer off", "60 idle", "60 Open"}},
        {4, {"60 timer off", "60 idle"}},
        {-1, {"60 timer off", "60 idle"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        Rig r;
        r.task.TargetFile = file;
        r.panel.countdownTicked = false;
        r.panel.actionIndex = c.index == taLock ? taOpenFile : taLock;
        r.ArmWith(kDelayButton);
        r.RunTo(30);
        r.panel.actionIndex = c.index;
        r.Take();
        r.RunTo(61);
        EXPECT_EQ(c.lines, r.log.lines);
        if (c.index == taOpenFile) {
            ASSERT_EQ(1u, r.actions.calls.size());
            EXPECT_EQ(file, r.actions.calls[0].file);
        }
    }
}

TEST(TaskActionTest, FailureIsReportedOnceTheWindowIsIdle) {
    // clang-format off
    const struct {
        int index;
        unsigned long error;
        Lines lines;
    } cases[] = {
        {taLock, 5, {"60 create", "60 countdown 0", "60 timer off", "60 idle", "60 destroy", "60 Lock",
                     "60 failure 2 5"}},
        {taOpenFile, 2, {"60 create", "60 countdown 0", "60 timer off", "60 idle", "60 destroy", "60 Open",
                         "60 failure 3 2"}},
        {4, 5, {"60 create", "60 countdown 0", "60 timer off", "60 idle", "60 destroy"}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        Rig r;
        r.panel.countdownLength = 0;
        r.panel.actionIndex = c.index;
        r.actions.fail = true;
        r.actions.error = c.error;
        r.actions.during = [&r] {
            // Idle before the action runs; only PromptShown is left as it was.
            EXPECT_EQ(std::make_tuple(tmDelay, false, false, true, 0, 0, 0), State(r.task));
            EXPECT_FALSE(r.prompt.exists);
        };
        r.ArmWith(kDelayButton);
        r.Take();
        r.RunTo(61);
        EXPECT_EQ(c.lines, r.log.lines);
    }
}

TEST(TaskAbandonTest, AbandonStopsTheTaskForGood) {
    // clang-format off
    const struct {
        const char* name;
        int button;
        int abandonAt;
        Lines lines;
        bool promptShown;
    } cases[] = {
        {"during the countdown", kDelayButton, 70, {"70 close", "70 idle"}, true},
        {"while waiting", kDelayButton, 30, {"30 idle"}, false},
        {"reminder with its notice open", kReminderButton, 70, {"70 close", "70 idle"}, false},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Rig r;
        r.ArmWith(c.button);
        r.RunTo(c.abandonAt);
        r.Take();
        const int mode = r.task.TaskMode;
        r.task.Abandon();
        EXPECT_EQ(std::make_tuple(mode, false, false, c.promptShown, 0, 0, 0), State(r.task));
        EXPECT_TRUE(r.panel.timerOn);
        r.RunTo(400);
        EXPECT_EQ(c.lines, r.log.lines);
        EXPECT_TRUE(r.actions.calls.empty());
    }
}

// Random use, checking what must hold whatever happens.
TEST(TaskRandomTest, InvariantsHoldUnderRandomUse) {
    std::mt19937 rng(20091218);
    auto pick = [&rng](int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); };
    enum Event { kTick, kArm, kAbandon, kClockJump, kSettings, kUserCloses };
    Rig r;
    int actionsSinceArm = 0, armings = 0, actions = 0, countdowns = 0, notices = 0, abandons = 0;
    for (int n = 0; n < 50000 && !HasFailure(); ++n) {
        SCOPED_TRACE(testing::Message() << "event " << n);
        const auto before = State(r.task);
        const bool wasArmed = std::get<1>(before), wasTriggered = std::get<2>(before);
        const int mode = std::get<0>(before), elapsed = std::get<4>(before), interval = std::get<5>(before);
        const std::size_t calls = r.actions.calls.size(), lines = r.log.lines.size();
        const std::size_t messages = r.panel.messages.size();
        // Idle, the user sets up and arms; armed, time mostly passes.
        const int roll = pick(0, 999);
        const Event event = wasArmed ? (roll < 970   ? kTick
                                        : roll < 975 ? kArm
                                        : roll < 980 ? kAbandon
                                        : roll < 990 ? kClockJump
                                                     : kUserCloses)
                                     : (roll < 300   ? kTick
                                        : roll < 500 ? kArm
                                        : roll < 600 ? kClockJump
                                                     : kSettings);
        switch (event) {
            case kTick: {
                r.Second();
                if (!wasArmed) {
                    EXPECT_EQ(lines, r.log.lines.size());
                }
                if (wasArmed && mode == tmReminder) {
                    EXPECT_TRUE(r.task.Armed);
                }
                if (r.actions.calls.size() > calls) {
                    const bool due = wasTriggered || (mode == tmFixedTime ? r.clock.now >= TargetOf(r.panel)
                                                                          : elapsed + 1 >= interval);
                    EXPECT_TRUE(wasArmed && mode != tmReminder && due);
                    EXPECT_FALSE(r.task.Armed || r.panel.timerOn || r.prompt.exists);
                }
                break;
            }
            case kArm:
                r.task.Arm();
                if (r.panel.messages.size() == messages) {
                    actionsSinceArm = 0;
                    ++armings;
                }
                break;
            case kAbandon:
                r.task.Abandon();
                ++abandons;
                break;
            case kClockJump: r.clock.Advance(pick(-600, 600)); break;
            case kSettings: {
                r.panel.modeButton = pick(0, 3);
                const DateTime target = AddSeconds(r.clock.now, pick(-60, 240));
                r.panel.pickerDate = {target.Year, target.Month, target.Day, pick(0, 23), pick(0, 59), 0};
                r.panel.hour1 = target.Hour, r.panel.min1 = target.Minute;
                r.panel.hour2 = pick(0, 50) == 0, r.panel.min2 = pick(0, 3);
                r.panel.hour3 = 0, r.panel.min3 = pick(0, 3);
                r.panel.countdownTicked = pick(0, 1);
                r.panel.countdownLength = pick(0, 40);
                r.panel.actionIndex = pick(0, 4);
                r.actions.fail = pick(0, 3) == 0;
                r.actions.error = static_cast<unsigned long>(pick(1, 1000));
                break;
            }
            case kUserCloses:
                if (r.prompt.exists && r.prompt.visible) r.prompt.UserCloses();
                break;
        }
        if (event != kTick) {
            EXPECT_EQ(calls, r.actions.calls.size());
        }
        actionsSinceArm += static_cast<int>(r.actions.calls.size() - calls);
        actions += static_cast<int>(r.actions.calls.size() - calls);
        for (std::size_t i = lines; i < r.log.lines.size(); ++i) {
            const std::string& line = r.log.lines[i];
            countdowns += line.find(" countdown ") != std::string::npos;
            notices += line.find(" time-up") != std::string::npos || line.find(" raise") != std::string::npos;
        }
        EXPECT_LE(actionsSinceArm, 1);
        EXPECT_EQ(r.task.Armed, r.panel.armedShown);
        if (r.task.Armed) {
            EXPECT_TRUE(r.panel.timerOn);
        }
    }
    // The run must have reached every path it checks.
    EXPECT_GT(armings, 100);
    EXPECT_GT(actions, 20);
    EXPECT_GT(countdowns, 20);
    EXPECT_GT(notices, 20);
    EXPECT_GT(abandons, 20);
}

}  // namespace
