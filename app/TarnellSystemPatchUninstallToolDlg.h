#pragma once
// The main window's frame: the layered picture around the controls dialog, the taskbar button
// with its About entry, the feedback question when the tool closes, and the removal of the
// tool's folder after an ordinary exit.
#include "ui/dialogs/SkinFrameDlg.h"

#include <string>

class CSystemPatchUninstallToolDlg;

class CTarnellSystemPatchUninstallToolDlg : public CSkinFrameDlg {
public:
  explicit CTarnellSystemPatchUninstallToolDlg(CWnd* parent = nullptr);

  // Starts a hidden command interpreter that waits three seconds, deletes the tool's own files
  // and then its folder if nothing else has appeared there; a folder that is not the tool's own
  // alone, or cannot be listed, is left as it is. Returns 1.
  int RemoveToolFolder();

protected:
  std::unique_ptr<CSkinChildDlg> NewControlsDialog() override;
  BOOL OnInitDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  CSystemPatchUninstallToolDlg* MainDialog() const;
  bool OnSysCommand(WPARAM command);  // false: the system's own command
  void OnPaint();
  void OnClose();

  HICON m_icon;        // not owned: a shared icon of the resource module
  bool m_ran = false;  // the controls dialog was created: the tool ran and may clean up
};
