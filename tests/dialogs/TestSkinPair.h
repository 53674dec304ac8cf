#pragma once
// A skinned pair for the window tests. With the prompt's values it carries the prompt's
// controls and layout; with the feedback dialog's values it carries one or more controls of
// every kind (image buttons with hit insets, PNG buttons, check box, link and plain statics,
// the animated wait line and the patch-number box).
#include "tests/dialogs/PatchEditHint.h"
#include "ui/controls/CheckBoxBtn.h"
#include "ui/controls/DrawStateInfoStatic.h"
#include "ui/controls/DrawTextStatic.h"
#include "ui/controls/EditEx.h"
#include "ui/controls/ImageButton.h"
#include "ui/controls/PngButton.h"
#include "ui/dialogs/SkinChildDlg.h"
#include "ui/dialogs/SkinFrameDlg.h"

#include <string>
#include <vector>

enum TestControlId {
  IDC_TEST_PNG_BUTTON = 3001,
  IDC_TEST_CHECK = 3002,
  IDC_TEST_LINK = 3003,
  IDC_TEST_PLAIN = 3004,
  IDC_TEST_WAIT = 3005,
  IDC_TEST_EDIT = 3006,
};

// Test requests handled on the dialog's own thread. WM_TEST_HOVER: the link's UpdateHover with
// the screen point (wParam x, lParam y); answers 1 when that invalidated the link, then paints
// it. WM_TEST_PLAIN_BK: SetBkColor(wParam) on the plain static, then repaints it.
constexpr UINT WM_TEST_HOVER = WM_APP + 1;
constexpr UINT WM_TEST_PLAIN_BK = WM_APP + 2;

// The prompt's templates and pictures; the feedback dialog's; the wait dialog's (no controls
// bound: the pair alone); the prompt's with a frame picture id that does not exist.
SkinPairValues PromptTestValues();
SkinPairValues AllControlsTestValues();
SkinPairValues WaitTestValues();
SkinPairValues MissingFramePictureValues();

class CTestSkinChildDlg : public CSkinChildDlg {
public:
  explicit CTestSkinChildDlg(const SkinPairValues& values);

  std::vector<SIZE> m_layoutSizes;  // client size at each layout
  int m_solvedClicks = 0;           // clicks reported by the solved button
  int m_solvedAccepted = 0;         // of those, clicks in its hit area

  // Prompt controls.
  CPngButton m_close;
  CPngButton m_ok;
  CPngButton m_cancel;
  CDrawTextStatic m_message;
  // Feedback-sized set.
  CPngButton m_feedbackClose;
  CImageButton m_solved;
  CImageButton m_unsolved;
  CImageButton m_other;
  CPngButton m_pngButton;
  CCheckBoxBtn m_check;
  CDrawTextStatic m_link;
  CDrawTextStatic m_plain;
  CDrawStateInfoStatic m_wait;
  CEditEx m_edit;

  bool IsPromptLayout() const;
  bool IsAllControlsLayout() const;
  static std::vector<std::string>* s_destroyLog;  // not owned: the test's record, or null

protected:
  BOOL OnInitDialog() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void LayoutControls(BOOL firstTime) override;
  void OnDestroy() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void LayoutPrompt(BOOL firstTime);
  void LayoutAllControls(BOOL firstTime);
  void Place(CWnd& control, int x, int y, int width, int height);
};

class CTestSkinFrameDlg : public CSkinFrameDlg {
public:
  explicit CTestSkinFrameDlg(const SkinPairValues& values);
  CTestSkinChildDlg* Controls() const;
  HWND ControlsWindow() const;
  bool m_controlsMade = false;  // a controls dialog object was asked for

protected:
  std::unique_ptr<CSkinChildDlg> NewControlsDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  SkinPairValues m_testValues;
};
