#pragma once
#include "task/PromptCountdown.h"
#include "ui/Form.h"

// The countdown and time-up prompt: always on top, closed only by hiding. PromptMode and SecondsLeft are
// set by the callers while it is hidden, then it is shown.
class TFrmPrompt : public ui::Form, public PromptCountdown {
public:
    TFrmPrompt();
    ~TFrmPrompt() override { Destroy(); }

    ui::Control Panel1, Label1, Label2, Label3, Label4, Label5, Button1;
    ui::Timer Timer1{*this, On(&TFrmPrompt::Timer1Timer)};

    void FormShow();
    void Timer1Timer();
    void Button1Click();
};
