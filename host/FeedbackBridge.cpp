#include "host/FeedbackBridge.h"

#include "base/ProgramFolder.h"

#include <oleauto.h>

#include <cstdint>

const wchar_t FEEDBACK_LIBRARY_NAME[] = L"HalvexFeedbackInformation.dll";

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
bool Resolve(HMODULE module, const char* name, Proc& proc) {
  proc = reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return proc != nullptr;
}

}  // namespace

std::wstring FeedbackTimeText(long long secondsSince1970) {
  return std::to_wstring(
      static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(secondsSince1970))));
}

std::wstring FeedbackDeviceText(int deviceType) {
  // Computed in 64 bits: the largest device type must not overflow.
  return std::to_wstring(static_cast<long long>(deviceType) + 1);
}

CFeedbackBridge::CFeedbackBridge()
    : m_module(nullptr),
      m_initFreedbackDll(nullptr),
      m_feedbackQuestion(nullptr),
      m_openUrl(nullptr),
      m_getInterNetState(nullptr),
      m_customerFeedback(nullptr),
      m_customerFeedbackEx(nullptr),
      m_writeCustomerFeedbackInfoFile(nullptr),
      m_getToolIsNewVersion(nullptr),
      m_getToolIsNewVersionDown(nullptr),
      m_openToolDownUrl(nullptr),
      m_openUseAgreementUrl(nullptr),
      m_strings{} {}

bool CFeedbackBridge::Load() {
  return LoadFrom(ModuleFolder(nullptr) + L"\\" + FEEDBACK_LIBRARY_NAME);
}

bool CFeedbackBridge::LoadFrom(const std::wstring& libraryPath) {
  if (m_module) return true;
  const HMODULE module = LoadLibraryW(libraryPath.c_str());
  if (!module) return false;
  const bool resolved =
      Resolve(module, "InitFreedbackDll", m_initFreedbackDll) &&
      Resolve(module, "FeedbackQuestion", m_feedbackQuestion) &&
      Resolve(module, "OpenUrl", m_openUrl) &&
      Resolve(module, "GetInterNetState", m_getInterNetState) &&
      Resolve(module, "CustomerFeedback", m_customerFeedback) &&
      Resolve(module, "CustomerFeedbackEx", m_customerFeedbackEx) &&
      Resolve(module, "WriteCustomerFeedbackInfoFile", m_writeCustomerFeedbackInfoFile) &&
      Resolve(module, "GetToolIsNewVersion", m_getToolIsNewVersion) &&
      Resolve(module, "GetToolIsNewVersionDown", m_getToolIsNewVersionDown) &&
      Resolve(module, "OpenToolDownUrl", m_openToolDownUrl) &&
      Resolve(module, "OpenUseAgreementUrl", m_openUseAgreementUrl);
  if (!resolved) {
    // No pointer into a released library may stay behind.
    m_initFreedbackDll = nullptr;
    m_feedbackQuestion = nullptr;
    m_openUrl = nullptr;
    m_getInterNetState = nullptr;
    m_customerFeedback = nullptr;
    m_customerFeedbackEx = nullptr;
    m_writeCustomerFeedbackInfoFile = nullptr;
    m_getToolIsNewVersion = nullptr;
    m_getToolIsNewVersionDown = nullptr;
    m_openToolDownUrl = nullptr;
    m_openUseAgreementUrl = nullptr;
    FreeLibrary(module);
    return false;
  }
  m_module = module;
  return true;
}

int CFeedbackBridge::InitFreedbackDll() {
  return m_initFreedbackDll ? m_initFreedbackDll(m_strings) : 0;
}

const wchar_t* CFeedbackBridge::LibraryString(int slot) const {
  if (slot < 0 || slot >= FEEDBACK_STRING_COUNT) return L"";
  return m_strings[slot];
}

int CFeedbackBridge::FeedbackQuestion(const wchar_t* toolId, const wchar_t* toolVersion) const {
  return m_feedbackQuestion ? m_feedbackQuestion(toolId, toolVersion) : 0;
}

int CFeedbackBridge::OpenUrl(const wchar_t* url) const {
  if (!m_openUrl) return 0;
  const CBstr text(url);
  return m_openUrl(text.Get());
}

int CFeedbackBridge::CustomerFeedbackEx(const wchar_t* toolId, const wchar_t* toolVersion, int code,
                                        const wchar_t* timeText, const wchar_t* deviceText) const {
  return m_customerFeedbackEx
             ? m_customerFeedbackEx(toolId, toolVersion, code, timeText, deviceText)
             : 0;
}

int CFeedbackBridge::GetToolIsNewVersion(const wchar_t* toolId, const wchar_t* toolVersion) const {
  return m_getToolIsNewVersion ? m_getToolIsNewVersion(toolId, toolVersion) : 0;
}

int CFeedbackBridge::OpenToolDownUrl() const { return m_openToolDownUrl ? m_openToolDownUrl() : 0; }

int CFeedbackBridge::OpenUseAgreementUrl() const {
  return m_openUseAgreementUrl ? m_openUseAgreementUrl() : 0;
}
