#pragma once

#include "framework/Wnd.h"

class CDialog;

// Direction of a data exchange and the dialog it works on; only control binding is needed.
class CDataExchange {
public:
  CDataExchange(CDialog* dialog, BOOL saveAndValidate);
  CDialog* m_pDlgWnd;       // not owned
  BOOL m_bSaveAndValidate;  // TRUE: controls to data
};

// Binds the dialog's control `controlId` to `control` (subclasses it the first time only).
void DDX_Control(CDataExchange* pDX, int controlId, CWnd& control);

// A dialog from a template in the resource module, modal or modeless.
class CDialog : public CWnd {
public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr);

  // Creates the dialog modeless, disables its owner (the parent, else the last active popup
  // of the application's main window or of the active window) and the top of the owner's own
  // chain of owners, and runs a message loop that calls PreTranslateMessage until EndDialog;
  // they are re-enabled and the owner re-activated before the window is destroyed. Returns the
  // EndDialog result, or -1 when the window could not be created. A dialog that stays hidden
  // and unmoved through OnInitDialog is centred over its owner, as MFC places it.
  virtual INT_PTR DoModal();
  // Modeless creation with an owner; the window is shown only when the template says so.
  BOOL Create(UINT templateId, CWnd* parent);
  BOOL Create(UINT templateId, HWND parent);
  // Ends the modal loop with `result`; a modeless dialog is hidden and destroyed.
  void EndDialog(int result);
  BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
  virtual BOOL OnInitDialog();  // binds the controls (UpdateData(FALSE)); TRUE: default focus
  virtual void DoDataExchange(CDataExchange* pDX);
  virtual void OnOK();
  virtual void OnCancel();
  // Called by the modal loop for each message before it is dispatched, for this dialog and
  // each of our dialogs that the message's window lies in; TRUE = handled, not dispatched.
  virtual BOOL PreTranslateMessage(MSG* msg);
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND CreateFromTemplate(UINT templateId, HWND owner);
  void CenterOverOwner();
  BOOL PreTranslateTree(MSG* msg);

  UINT m_templateId;
  CWnd* m_pParentWnd;  // not owned
  bool m_inModalLoop = false;
  bool m_endModal = false;
  INT_PTR m_modalResult = -1;
};
