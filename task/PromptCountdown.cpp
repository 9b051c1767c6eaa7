#include "task/PromptCountdown.h"

std::optional<PromptFace> PromptCountdown::FaceOnShow() const {
    switch (PromptMode) {
        case pmCountdown: return PromptFace{true, true, true, false, true, false};
        case pmTimeUp: return PromptFace{false, false, false, true, false, true};
        default: return std::nullopt;
    }
}

PromptCountdown::TickEffect PromptCountdown::Tick() {
    if (PromptMode != pmCountdown) return TickEffect::None;
    if (SecondsLeft <= 1) return TickEffect::StopAndClose;
    --SecondsLeft;
    return TickEffect::NumberChanged;
}
