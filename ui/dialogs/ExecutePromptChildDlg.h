#pragma once
// The wait dialog's panel: one line of white text with dots that advance once a second.
#include "ui/controls/DrawStateInfoStatic.h"
#include "ui/dialogs/SkinChildDlg.h"

#include <string>

class CExecutePromptChildDlg : public CSkinChildDlg {
public:
  CExecutePromptChildDlg();

  void SetExecuteText(std::wstring text);
  // Stops the dots and clears them.
  void StopAnimation();

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void LayoutControls(BOOL firstTime) override;
  void OnDestroy() override;

private:
  CDrawStateInfoStatic m_status;
  std::wstring m_text;
};
