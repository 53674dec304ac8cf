#pragma once
// The question asked when the main window closes: did the tool solve the problem? The answer
// goes to the feedback library with the tool's identity, the time and the device type; then
// the dialog closes (DoModal answers IDCANCEL, which callers ignore).
#include "ui/dialogs/SkinFrameDlg.h"

class CFeedbackLibrary;

class CProblemSolvingFeedbackDlg : public CSkinFrameDlg {
public:
  explicit CProblemSolvingFeedbackDlg(CWnd* parent = nullptr);

  void SetFeedbackLibrary(const CFeedbackLibrary* library);
  void SetDeviceType(int deviceType);

protected:
  std::unique_ptr<CSkinChildDlg> NewControlsDialog() override;
  // Takes its scale factor from the screen itself, before the pair is laid out.
  BOOL OnInitDialog() override;

private:
  const CFeedbackLibrary* m_library = nullptr;  // not owned: the main working dialog's
  int m_deviceType = 0;
};
