#pragma once
// The frame of a skinned pair: a dialog without controls whose whole look is one PNG with
// per-pixel alpha, handed to the system once as a layered window. It creates its controls
// dialog as an owned popup over its opaque middle and keeps the two together: the frame leads
// until the user first drags the controls dialog, which then leads for good.
#include "framework/Dialog.h"
#include "ui/dialogs/SkinPairValues.h"
#include "ui/skin/SkinResources.h"

#include <memory>

class CSkinChildDlg;

class CSkinFrameDlg : public CDialog {
public:
  CSkinFrameDlg(const SkinPairValues& values, CWnd* parent);
  ~CSkinFrameDlg() override;

  // Places the frame around the controls dialog's window rectangle (screen coordinates) and
  // stops the frame from moving the controls dialog from now on. Returns 0.
  int MoveAroundChild(int left, int top, int right, int bottom);

  float m_scale = 1.0f;  // set by the creator before DoModal

protected:
  // A new controls dialog object carrying the frame's data; the frame creates its window.
  virtual std::unique_ptr<CSkinChildDlg> NewControlsDialog() = 0;
  CSkinChildDlg* ControlsDialog() const { return m_controls.get(); }

  BOOL OnInitDialog() override;
  // Enter and Escape never answer a skinned dialog, whichever of the pair has the focus: only
  // its buttons do. The frame would otherwise take them as OK and Cancel.
  BOOL PreTranslateMessage(MSG* msg) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void OnMove();
  void OnWindowPosChanged(const WINDOWPOS& pos);
  void ShowHiddenControls();
  void ShowControls();
  bool ActivateControlsInstead();
  void OnDestroy();
  void PushLayeredPicture();

  const SkinPairValues m_values;
  PngImage m_bkImage;
  std::unique_ptr<CSkinChildDlg> m_controls;
  int m_frameLeads;
};
