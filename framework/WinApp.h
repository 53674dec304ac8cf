#pragma once

#include <windows.h>

class CWnd;

// The program's application object; exactly one exists, constructed before wWinMain runs.
class CWinApp {
public:
  CWinApp();
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // The program's work, typically one modal dialog. The program has no message loop of its
  // own, so it ends when this returns; FALSE says so, as MFC's dialog programs do.
  virtual BOOL InitInstance();
  // Called from wWinMain: stores the instance and calls InitInstance. Returns the exit code 0.
  int Run(HINSTANCE instance);

  HINSTANCE m_hInstance = nullptr;
  CWnd* m_pMainWnd = nullptr;  // not owned: the main window's object, set by InitInstance

  static CWinApp* GetApp();
};

// The module holding the dialog templates and PNG resources: the application's instance, or
// the executable when no application object has run.
HINSTANCE AfxGetResourceHandle();
