#pragma once
// The main window's controls dialog, the tool's one screen: the patch-number box, the Uninstall
// button, the close and minimise buttons, the version label, the more-tools button, the
// agreement box and the two links. It runs the start-up checks and the removal of an update.
#include "app/MouseHook.h"
#include "engine/ProtectedPatchTable.h"
#include "engine/SystemPatchEngine.h"
#include "host/AesCipher.h"
#include "host/FeedbackBridge.h"
#include "host/ServiceClientDetection.h"
#include "ui/controls/CheckBoxBtn.h"
#include "ui/controls/DrawTextStatic.h"
#include "ui/controls/EditEx.h"
#include "ui/controls/ImageButton.h"
#include "ui/controls/PngButton.h"
#include "ui/dialogs/SkinChildDlg.h"

#include <string>

class CExecutePromptDlg;

constexpr UINT_PTR TIMER_LINK_HOVER = 33;
constexpr UINT_PTR TIMER_UPDATE_CHECK = 38;

// What the patch-number box shows while it is empty and unfocused.
extern const wchar_t PATCH_EDIT_HINT[];

// The main window's pair: templates, pictures and geometry; its controls dialog leads.
SkinPairValues MainPairValues();

class CSystemPatchUninstallToolDlg : public CSkinChildDlg {
public:
  CSystemPatchUninstallToolDlg();
  ~CSystemPatchUninstallToolDlg() override;

  // For the feedback question at close.
  const CFeedbackLibrary* FeedbackLibrary() const { return &m_feedbackBridge; }
  int DeviceType() const { return m_deviceType; }

  // Which drives count as USB drives when the service client is looked for: the system's
  // answer (IsUsbVolume), or a test's own. Returns the one it replaces.
  static UsbVolumeQuery SetUsbVolumeQuery(UsbVolumeQuery query);

protected:
  BOOL OnInitDialog() override;
  void PrepareFirstLayout() override;
  void DoDataExchange(CDataExchange* pDX) override;
  void LayoutControls(BOOL firstTime) override;
  // Enter and Escape end nothing.
  BOOL PreTranslateMessage(MSG* msg) override;
  // Alt+F4, and the close button: the frame closes the tool, asking for feedback first.
  void OnClose() override;
  void OnDestroy() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void DetectServiceClient();
  void RunStartupChecks();
  [[noreturn]] void EndAfterPrompt(const wchar_t* text);
  void OnUpdateCheckTimer();
  void OnTimer(UINT_PTR id);
  void OnNcHitTest(LPARAM point);
  void OnLButtonDown(LPARAM point);
  bool OnCommand(WORD id);
  void OnUninstallClicked();
  void OnAgreeClicked();
  LRESULT OnExecutePromptClose();
  LRESULT OnQueryPatchResult(WPARAM result);
  LRESULT OnUninstallPatchResult(WPARAM result);
  // Runs a worker of the engine behind a new wait dialog, which exists before the worker can
  // answer; false, after the failure prompt, when the worker could not be started.
  bool RunBehindWaitDialog(bool (CSystemPatchEngine::*start)());
  INT_PTR ShowPrompt(const std::wstring& text, int type);
  static int MeasureTextWidth(HWND window, HDC dc, const wchar_t* text);

  RECT m_client = {};
  CDrawTextStatic m_version;
  CPngButton m_close;
  CPngButton m_minimise;
  CEditEx m_patchEdit;
  CImageButton m_uninstall;
  CImageButton m_moreTools;
  CCheckBoxBtn m_agreeBox;
  CDrawTextStatic m_agreementLink;
  CDrawTextStatic m_feedbackLink;
  CMouseHook m_mouseHook;
  CProtectedPatchTable m_protectedPatches;
  CAesCipher m_cipher;
  CSystemPatchEngine m_engine;
  // Not owned: the wait dialog of the step that runs now, a local of the handler that shows it,
  // so that no wait dialog is deleted while its own modal run is still on the stack.
  CExecutePromptDlg* m_waitDialog = nullptr;
  CFeedbackBridge m_feedbackBridge;
  int m_deviceType = 0;
};
