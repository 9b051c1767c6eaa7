#pragma once
#include "ui/Form.h"

// The About box: the contact line only, closed from its title bar. Created for one modal use.
class TFrmAbout : public ui::Form {
public:
    TFrmAbout();
    ~TFrmAbout() override { Destroy(); }

    ui::Control Label1;
};
