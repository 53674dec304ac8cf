#pragma once
// The program: GDI+ and the common controls, then the main window, run modally. The process
// ends when the main window's modal run returns.
#include "framework/WinApp.h"

class CTarnellSystemPatchUninstallToolApp : public CWinApp {
public:
  // Made before the program's code runs: from here on, libraries come from the system folder
  // only.
  CTarnellSystemPatchUninstallToolApp();
  // Runs the main window; FALSE always, so that nothing runs after it.
  BOOL InitInstance() override;
};
