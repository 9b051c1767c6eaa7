#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "task/PromptCountdown.h"
#include "task/Task.h"
#include "tests/native/TaskFakes.h"

namespace {

using Effect = PromptCountdown::TickEffect;

TEST(PromptCountdownTest, CountsDownFromTheShownNumber) {
    const struct {
        int shown;
        int closingTick;
    } cases[] = {{60, 60}, {2, 2}, {1, 1}, {0, 1}, {-3, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        PromptCountdown prompt{pmCountdown, c.shown};
        for (int tick = 1; tick < c.closingTick; ++tick) {
            ASSERT_EQ(Effect::NumberChanged, prompt.Tick());
            EXPECT_EQ(c.shown - tick, prompt.SecondsLeft);
        }
        EXPECT_EQ(Effect::StopAndClose, prompt.Tick());
    }
}

TEST(PromptCountdownTest, HiddenTicksContinueAndANewShowRestarts) {
    PromptCountdown prompt{pmCountdown, 5};
    const struct {
        int showWith;  // 0: a plain tick
        Effect effect;
        int left;
    } steps[] = {
        {0, Effect::NumberChanged, 4},
        {0, Effect::NumberChanged, 3},  // closed early here; its timer keeps
                                        // running
        {0, Effect::NumberChanged, 2},
        {0, Effect::NumberChanged, 1},
        {0, Effect::StopAndClose, 1},
        {3, Effect::NumberChanged, 2},  // shown again
        {0, Effect::NumberChanged, 1},
        {0, Effect::StopAndClose, 1},
    };
    for (const auto& s : steps) {
        if (s.showWith) prompt.SecondsLeft = s.showWith;
        EXPECT_EQ(s.effect, prompt.Tick());
        EXPECT_EQ(s.left, prompt.SecondsLeft);
    }
}

TEST(PromptCountdownTest, TimeUpTicksDoNothing) {
    PromptCountdown prompt{pmTimeUp, 5};
    for (int tick = 0; tick < 10; ++tick) EXPECT_EQ(Effect::None, prompt.Tick());
    EXPECT_EQ(5, prompt.SecondsLeft);
}

TEST(PromptCountdownTest, FaceOnShow) {
    const struct {
        int mode;
        const char* controls;
    } cases[] = {
        {pmCountdown, "Label1 Label2 Label3 Label5"},
        {pmTimeUp, "Label4 Button1"},
        {2, "none"},
        {-1, "none"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        EXPECT_EQ(c.controls, VisibleControls(PromptCountdown{c.mode, 10}.FaceOnShow()));
    }
}

}  // namespace
