#pragma once
#include "password/PasswordStore.h"
#include "ui/Form.h"

enum CheckModeValue { cmExitProgram = 0, cmAbandonTask = 1 };

// The password check in front of leaving the program and abandoning the task. Created for one modal use.
class TFrmCheckPW : public ui::Form {
public:
    explicit TFrmCheckPW(const PasswordStore& store);
    ~TFrmCheckPW() override { Destroy(); }

    int CheckMode = cmExitProgram;
    int CheckResult = 0;
    bool Accepted = false;  // an entry was accepted, in either mode

    ui::Control Label1, Label2, edtPW, btnOK, btnCancel;

    void FormShow();
    void btnOKClick();
    void btnCancelClick();

private:
    const PasswordStore& store_;
};
