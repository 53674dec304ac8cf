#pragma once
// The feedback library's entry points, resolved once. The library is never unloaded, so a copy
// stays valid for the whole process: a worker thread takes its own copy, never a reference to
// a window's member that may be gone before the worker ends.
#include "feedback/FeedbackApi.h"

class CFeedbackLibrary {
public:
  // Resolves the eleven names in their fixed order; false at the first one missing, and then
  // nothing is kept.
  bool Resolve(HMODULE module);

  // Each call answers 0 while nothing is resolved.
  int FeedbackQuestion(const wchar_t* toolId, const wchar_t* toolVersion) const;
  int OpenUrl(const wchar_t* url) const;
  int CustomerFeedbackEx(const wchar_t* toolId, const wchar_t* toolVersion, int code,
                         const wchar_t* timeText, const wchar_t* deviceText) const;
  int GetToolIsNewVersion(const wchar_t* toolId, const wchar_t* toolVersion) const;
  int OpenToolDownUrl() const;
  int OpenUseAgreementUrl() const;

protected:
  int InitFreedbackDll(FeedbackString* strings) const;

private:
  InitFreedbackDllProc m_initFreedbackDll = nullptr;
  FeedbackQuestionProc m_feedbackQuestion = nullptr;
  OpenUrlProc m_openUrl = nullptr;
  GetInterNetStateProc m_getInterNetState = nullptr;
  CustomerFeedbackProc m_customerFeedback = nullptr;
  CustomerFeedbackExProc m_customerFeedbackEx = nullptr;
  WriteCustomerFeedbackInfoFileProc m_writeCustomerFeedbackInfoFile = nullptr;
  GetToolIsNewVersionProc m_getToolIsNewVersion = nullptr;
  GetToolIsNewVersionDownProc m_getToolIsNewVersionDown = nullptr;
  OpenToolDownUrlProc m_openToolDownUrl = nullptr;
  OpenUseAgreementUrlProc m_openUseAgreementUrl = nullptr;
};
