#include "task/Task.h"

DateTime Task::GetTargetTime() const {
    DateTime target = panel_.PickerDate();
    target.Hour = panel_.SpinValue(TaskSpin::Hour1);
    target.Minute = panel_.SpinValue(TaskSpin::Min1);
    target.Second = 0;
    return target;
}

void Task::Arm() {
    switch (panel_.CheckedModeButton()) {
        case 1: TaskMode = tmFixedTime; break;
        case 2: TaskMode = tmDelay; break;
        case 3: TaskMode = tmReminder; break;
        default: break;
    }
    if (TaskMode == tmFixedTime) {
        if (clock_.Now() >= GetTargetTime()) {
            panel_.ShowMessage(L"当前日期已经超过您设定的日期了,请检查！");
            return;
        }
    } else {
        const bool delay = TaskMode == tmDelay;
        const int hours = panel_.SpinValue(delay ? TaskSpin::Hour2 : TaskSpin::Hour3);
        const int minutes = panel_.SpinValue(delay ? TaskSpin::Min2 : TaskSpin::Min3);
        IntervalSeconds = hours * 60 * 60 + minutes * 60;
        if (IntervalSeconds <= 0) {
            panel_.ShowMessage(L"间隔时间太短了，请重新设置");
            return;
        }
    }
    ClosePromptIfVisible();
    PromptShown = false;
    ElapsedSeconds = 0;
    CountdownTicks = 0;
    Triggered = false;
    panel_.ShowArmed(true);
    Armed = true;
    panel_.SetTaskTimer(true);
}

void Task::Tick() {
    if (!Armed) return;
    if (!Triggered) {
        if (TaskMode == tmFixedTime) {
            Triggered = clock_.Now() >= GetTargetTime();
        } else {
            ++ElapsedSeconds;
            Triggered = ElapsedSeconds >= IntervalSeconds;
        }
        if (!Triggered) return;
        CountdownTicks = 0;
    }
    if (TaskMode != tmReminder && panel_.CountdownTicked()) {
        RunCountdownStep();
    } else {
        ExecuteTask();
    }
}

void Task::RunCountdownStep() {
    const int length = panel_.SpinValue(TaskSpin::CountdownLength);
    if (!PromptShown) {
        if (!prompt_.PromptExists()) prompt_.CreatePrompt();
        // A prompt still on screen (a reminder, say) delays the showing, never the action.
        if (!prompt_.PromptVisible()) {
            PromptShown = true;
            prompt_.SetSecondsLeft(length - CountdownTicks);
            prompt_.SetPromptMode(pmCountdown);
            prompt_.ShowPrompt();
        }
    }
    ++CountdownTicks;
    if (CountdownTicks > length) ExecuteTask();
}

void Task::ExecuteTask() {
    if (TaskMode == tmReminder) {
        ElapsedSeconds = 0;
        CountdownTicks = 0;
        Triggered = false;
        if (!prompt_.PromptExists()) prompt_.CreatePrompt();
        if (prompt_.PromptVisible() && prompt_.PromptMode() != pmTimeUp) prompt_.ClosePrompt();
        prompt_.SetPromptMode(pmTimeUp);
        prompt_.ShowPrompt();
        return;
    }
    if (TaskMode != tmFixedTime && TaskMode != tmDelay) return;

    // Idle again before the action: a message loop running inside it finds no task.
    Triggered = false;
    Armed = false;
    ElapsedSeconds = 0;
    IntervalSeconds = 0;
    CountdownTicks = 0;
    panel_.SetTaskTimer(false);
    panel_.ShowArmed(false);
    if (prompt_.PromptExists()) prompt_.DestroyPrompt();

    const int action = panel_.ActionIndex();
    ActionResult result;
    switch (action) {
        case taShutdown: result = actions_.PowerOff(); break;
        case taRestart: result = actions_.Restart(); break;
        case taLock: result = actions_.Lock(); break;
        case taOpenFile: result = actions_.Open(TargetFile); break;
        default: return;
    }
    if (!result.Succeeded) panel_.ReportActionFailure(action, result.Error);
}

void Task::Abandon() {
    ClosePromptIfVisible();
    Armed = false;
    ElapsedSeconds = 0;
    IntervalSeconds = 0;
    CountdownTicks = 0;
    Triggered = false;
    panel_.ShowArmed(false);
}

void Task::ClosePromptIfVisible() {
    if (prompt_.PromptExists() && prompt_.PromptVisible()) prompt_.ClosePrompt();
}
