#pragma once
#include "password/PasswordStore.h"
#include "ui/Form.h"

// Sets or changes the password. Created for one modal use.
class TFrmSetPass : public ui::Form {
public:
    explicit TFrmSetPass(const PasswordStore& store);
    ~TFrmSetPass() override { Destroy(); }

    ui::Control Label1, edtOldPW, Label2, edtNewPW1, Label3, edtNewPW2, btnOK, btnCancel;

    void btnOKClick();
    void btnCancelClick();

private:
    const PasswordStore& store_;
};
