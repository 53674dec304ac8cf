#include "app/TarnellSystemPatchUninstallToolApp.h"

#include "app/TarnellSystemPatchUninstallToolDlg.h"
#include "framework/GdiplusSession.h"
#include "res/resource.h"
#include "ui/skin/SkinResources.h"

#include <commctrl.h>

CTarnellSystemPatchUninstallToolApp::CTarnellSystemPatchUninstallToolApp() {
  // The program runs with administrator rights from a folder its user controls: a DLL that a
  // system library loads by name (version.dll, uxtheme.dll, dwmapi.dll...) must never be taken
  // from the program's folder or the current directory.
  ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

BOOL CTarnellSystemPatchUninstallToolApp::InitInstance() {
  const CGdiplusSession gdiplus;
  // The main window's pictures are decoded while its windows are being made.
  PrefetchPngResources({IDP_MAIN_FRAME, IDP_MAIN_CHILD, IDP_CLOSE_NORMAL, IDP_CLOSE_HOVER,
                        IDP_CLOSE_PRESSED, IDP_CLOSE_DISABLED, IDP_MINIMIZE_NORMAL,
                        IDP_MINIMIZE_HOVER, IDP_MINIMIZE_PRESSED, IDP_MINIMIZE_DISABLED,
                        IDP_UNINSTALL_NORMAL, IDP_UNINSTALL_HOVER, IDP_UNINSTALL_PRESSED,
                        IDP_UNINSTALL_DISABLED, IDP_MORE_TOOLS_NORMAL, IDP_MORE_TOOLS_HOVER,
                        IDP_MORE_TOOLS_PRESSED, IDP_MORE_TOOLS_DISABLED, IDP_CHECKBOX});
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&controls);
  {
    // Every window and picture is gone before GDI+ ends.
    CTarnellSystemPatchUninstallToolDlg frame;
    m_pMainWnd = &frame;
    frame.DoModal();
    m_pMainWnd = nullptr;
  }
  DiscardPrefetchedPngResources();
  return FALSE;
}
