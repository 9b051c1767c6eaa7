#include <gtest/gtest.h>

#include "ui/Application.h"

// The window tests run on one UI thread, set up like the program's own.
int wmain(int argc, wchar_t** argv) {
    testing::InitGoogleTest(&argc, argv);
    ui::App().Initialize();
    ui::App().Title = L"Dormora";
    return RUN_ALL_TESTS();
}
