#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/Main.h"
#include "tests/win/UiDriver.h"

// A fresh, shown main window for each test, with its configuration in a folder of its own.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::filesystem::path(temp) / (L"dormora-test-" + std::to_wstring(GetCurrentProcessId()));
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        form = std::make_unique<TFrmMain>();
        ui::App().MainForm = form.get();
        form->ConfigDir = folder_.string() + "\\";
        form->Show();
        Pump();
    }
    void TearDown() override {
        form.reset();
        ui::App().MainForm = nullptr;
        Pump();
        std::filesystem::remove_all(folder_);
    }

    // Clicks a control as the user would, and lets the window handle it.
    static void Click(const ui::Control& control) {
        SendMessageW(control.Handle, BM_CLICK, 0, 0);
        Pump();
    }

    // Arms a delay of one minute with the action and countdown length, as the user sets them.
    void ArmOneMinuteDelay(int action = taShutdown, int countdown = 60) {
        Click(form->RadioButton2);
        form->seMin2.SetValue(1);
        form->ComboBox1.SetItemIndex(action);
        form->RzSpinEdit3.SetValue(countdown);
        Click(form->btnStartTask);
    }

    std::unique_ptr<TFrmMain> form;

private:
    std::filesystem::path folder_;
};
