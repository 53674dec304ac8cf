#include "host/FeedbackLibrary.h"

#include <oleauto.h>

namespace {

class CBstr {
public:
  explicit CBstr(const wchar_t* text) : m_text(SysAllocString(text)) {}
  ~CBstr() { SysFreeString(m_text); }
  CBstr(const CBstr&) = delete;
  CBstr& operator=(const CBstr&) = delete;
  BSTR Get() const { return m_text; }

private:
  BSTR m_text;
};

template <typename Proc>
bool ResolveName(HMODULE module, const char* name, Proc& proc) {
  proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return proc != nullptr;
}

}  // namespace

bool CFeedbackLibrary::Resolve(HMODULE module) {
  CFeedbackLibrary resolved;
  if (!ResolveName(module, "InitFreedbackDll", resolved.m_initFreedbackDll) ||
      !ResolveName(module, "FeedbackQuestion", resolved.m_feedbackQuestion) ||
      !ResolveName(module, "OpenUrl", resolved.m_openUrl) ||
      !ResolveName(module, "GetInterNetState", resolved.m_getInterNetState) ||
      !ResolveName(module, "CustomerFeedback", resolved.m_customerFeedback) ||
      !ResolveName(module, "CustomerFeedbackEx", resolved.m_customerFeedbackEx) ||
      !ResolveName(module, "WriteCustomerFeedbackInfoFile",
                   resolved.m_writeCustomerFeedbackInfoFile) ||
      !ResolveName(module, "GetToolIsNewVersion", resolved.m_getToolIsNewVersion) ||
      !ResolveName(module, "GetToolIsNewVersionDown", resolved.m_getToolIsNewVersionDown) ||
      !ResolveName(module, "OpenToolDownUrl", resolved.m_openToolDownUrl) ||
      !ResolveName(module, "OpenUseAgreementUrl", resolved.m_openUseAgreementUrl)) {
    return false;
  }
  *this = resolved;
  return true;
}

int CFeedbackLibrary::InitFreedbackDll(FeedbackString* strings) const {
  return m_initFreedbackDll ? m_initFreedbackDll(strings) : 0;
}

int CFeedbackLibrary::FeedbackQuestion(const wchar_t* toolId, const wchar_t* toolVersion) const {
  return m_feedbackQuestion ? m_feedbackQuestion(toolId, toolVersion) : 0;
}

int CFeedbackLibrary::OpenUrl(const wchar_t* url) const {
  if (!m_openUrl) return 0;
  const CBstr text(url);
  return m_openUrl(text.Get());
}

int CFeedbackLibrary::CustomerFeedbackEx(const wchar_t* toolId, const wchar_t* toolVersion,
                                         int code, const wchar_t* timeText,
                                         const wchar_t* deviceText) const {
  return m_customerFeedbackEx
             ? m_customerFeedbackEx(toolId, toolVersion, code, timeText, deviceText)
             : 0;
}

int CFeedbackLibrary::GetToolIsNewVersion(const wchar_t* toolId, const wchar_t* toolVersion) const {
  return m_getToolIsNewVersion ? m_getToolIsNewVersion(toolId, toolVersion) : 0;
}

int CFeedbackLibrary::OpenToolDownUrl() const {
  return m_openToolDownUrl ? m_openToolDownUrl() : 0;
}

int CFeedbackLibrary::OpenUseAgreementUrl() const {
  return m_openUseAgreementUrl ? m_openUseAgreementUrl() : 0;
}
