#include "app/TarnellSystemPatchUninstallToolApp.h"

#include "app/TarnellSystemPatchUninstallToolDlg.h"
#include "framework/GdiplusSession.h"

#include <commctrl.h>

BOOL CTarnellSystemPatchUninstallToolApp::InitInstance() {
  const CGdiplusSession gdiplus;
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  {
    // Every window and picture is gone before GDI+ ends.
    CTarnellSystemPatchUninstallToolDlg frame;
    m_pMainWnd = &frame;
    frame.DoModal();
    m_pMainWnd = nullptr;
  }
  return FALSE;
}
