#pragma once
// The controls dialog of a skinned pair: an opaque modeless dialog, owned by its frame, that
// paints its PNG background and carries the controls. A drag strip at its top moves it, and
// the frame follows.
#include "framework/Dialog.h"
#include "ui/dialogs/SkinPairValues.h"
#include "ui/skin/SkinResources.h"

class CSkinChildDlg : public CDialog {
public:
  explicit CSkinChildDlg(const SkinPairValues& values);
  ~CSkinChildDlg() override;

  float m_scale = 1.0f;  // copied from the frame before the window is created

protected:
  // Places every control for the current client size; the first time it also hands the
  // controls their images, background and texts.
  virtual void LayoutControls(BOOL firstTime) = 0;
  // Runs once the background picture is loaded, just before the first layout (the main window
  // makes its start-up checks here).
  virtual void PrepareFirstLayout() {}
  // The window is being destroyed: release the controls' images. Derived classes call this
  // last; it deletes the background picture.
  virtual void OnDestroy();

  Gdiplus::Image* BackgroundImage() const { return m_bkImage.get(); }
  const SkinPairValues& PairValues() const { return m_values; }

  BOOL OnInitDialog() override;
  // Keys (Enter, Escape, Alt+F4) must never end or hide a controls dialog while its frame stays
  // modal: the frame alone ends the pair.
  void OnOK() override;
  void OnCancel() override;
  // Alt+F4 or Close from the window's menu: nothing, unless the pair has a close button of its
  // own to answer it with.
  virtual void OnClose() {}
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  bool EnsureBackground();
  void OnSize();
  void OnEraseBkgnd(HDC dc);
  LRESULT OnNcHitTest(LPARAM lParam);
  void OnMove();

  const SkinPairValues m_values;
  PngImage m_bkImage;
  int m_layoutDone = 0;
  int m_inDragStrip;  // the last hit test found the drag strip
};
