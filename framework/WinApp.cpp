#include "framework/WinApp.h"

namespace {
CWinApp* g_app = nullptr;  // not owned: the program's one global application object
}  // namespace

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return FALSE; }

int CWinApp::Run(HINSTANCE instance) {
  m_hInstance = instance;
  InitInstance();
  return 0;
}

CWinApp* CWinApp::GetApp() { return g_app; }

HINSTANCE AfxGetResourceHandle() {
  if (g_app && g_app->m_hInstance) return g_app->m_hInstance;
  return ::GetModuleHandleW(nullptr);
}
