#pragma once
#include <windows.h>

// Fills the pane with the system's web browser control showing the banner page inside the program. Without
// the control the pane stays empty and nothing else is affected.
void ShowBanner(HWND pane);

// Writes the usage tutorial, a page inside the program, to the temporary folder and asks the shell to open
// it in the user's web browser.
void OpenTutorial();
