#include <windows.h>

#include "app/Main.h"
#include "ui/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    ui::Application& app = ui::App();
    app.Initialize();
    app.Title = L"Dormora";
    TFrmMain FrmMain;
    app.MainForm = &FrmMain;
    return app.Run();
}
