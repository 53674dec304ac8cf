// A small dialog program for the driver's own tests: a button that counts its clicks, an edit
// box, a solid swatch, a hidden and a disabled control. OK ends it with 100 plus the count.
#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "framework/GdiObjects.h"
#include "framework/Static.h"
#include "tests/driver/DriverTargetResource.h"

namespace {

class Swatch : public CStatic {
public:
  void DrawItem(LPDRAWITEMSTRUCT dis) override {
    ScopedBrush brush(::CreateSolidBrush(TARGET_SWATCH_COLOUR));
    ::FillRect(dis->hDC, &dis->rcItem, brush);
  }
};

class TargetDialog : public CDialog {
public:
  TargetDialog() : CDialog(IDD_DRIVER_TARGET) {}

protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Control(pDX, IDC_TARGET_SWATCH, m_swatch);
  }
  void OnOK() override { EndDialog(TARGET_EXIT_OK_BASE + m_clicks); }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_TARGET_COUNT_BUTTON &&
        HIWORD(wParam) == BN_CLICKED) {
      OnCountClicked();
      return true;
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
  }

private:
  void OnCountClicked() {
    ++m_clicks;
    ::SetDlgItemTextW(m_hWnd, IDC_TARGET_COUNT, std::to_wstring(m_clicks).c_str());
  }
  Swatch m_swatch;
  int m_clicks = 0;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TargetDialog dialog;
  return static_cast<int>(dialog.DoModal());
}
