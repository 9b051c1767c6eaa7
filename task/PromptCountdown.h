#pragma once
#include <optional>

enum PromptModeValue { pmCountdown = 0, pmTimeUp = 1 };

// Which controls of the prompt window a face shows.
struct PromptFace {
    bool Label1, Label2, Label3, Label4, Label5, Button1;
};

// The prompt window's own state: its face and the number it counts down, for display only.
struct PromptCountdown {
    int PromptMode = 0;
    int SecondsLeft = 0;

    // The face a show from hidden presents; none for a mode that changes no control.
    std::optional<PromptFace> FaceOnShow() const;

    enum class TickEffect { None, NumberChanged, StopAndClose };
    TickEffect Tick();
};
