#include "base/DesktopUser.h"

#include "base/ScopedHandle.h"
#include "base/TextConversion.h"
#include "base/TrustRules.h"

#include <windows.h>
#include <shellapi.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <optional>

namespace {

// Owns one reference to a COM object.
template <class T>
class CComRef {
public:
  CComRef() = default;
  ~CComRef() { Reset(); }
  CComRef(const CComRef&) = delete;
  CComRef& operator=(const CComRef&) = delete;

  T* operator->() const { return m_object; }
  T* Get() const { return m_object; }
  explicit operator bool() const { return m_object != nullptr; }
  T** Receive() {
    Reset();
    return &m_object;
  }
  void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

private:
  void Reset() {
    if (m_object) m_object->Release();
    m_object = nullptr;
  }
  T* m_object = nullptr;
};

class CComScope {
public:
  CComScope()
      : m_initialized(
            SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {
  }
  ~CComScope() {
    if (m_initialized) CoUninitialize();
  }
  CComScope(const CComScope&) = delete;
  CComScope& operator=(const CComScope&) = delete;

private:
  bool m_initialized;
};

// A text as an automation argument; an empty one is left out (VT_EMPTY).
class CTextArgument {
public:
  explicit CTextArgument(const std::wstring& text) {
    VariantInit(&m_value);
    if (text.empty()) return;
    m_value.vt = VT_BSTR;
    m_value.bstrVal = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  }
  ~CTextArgument() { VariantClear(&m_value); }
  CTextArgument(const CTextArgument&) = delete;
  CTextArgument& operator=(const CTextArgument&) = delete;
  const VARIANT& Get() const { return m_value; }

private:
  VARIANT m_value;
};

template <class Information>
bool ReadToken(HANDLE token, TOKEN_INFORMATION_CLASS which, Information& information) {
  DWORD size = 0;
  return GetTokenInformation(token, which, &information, sizeof information, &size) != FALSE;
}

std::optional<TokenRights> RightsOfProcess(HANDLE process) {
  CScopedHandle token;
  if (!OpenProcessToken(process, TOKEN_QUERY, token.Receive())) return std::nullopt;
  struct {
    TOKEN_USER user;
    BYTE sid[SECURITY_MAX_SID_SIZE];
  } user;
  struct {
    TOKEN_MANDATORY_LABEL label;
    BYTE sid[SECURITY_MAX_SID_SIZE];
  } label;
  TOKEN_ELEVATION elevation{};
  if (!ReadToken(token.Get(), TokenUser, user) ||
      !ReadToken(token.Get(), TokenIntegrityLevel, label) ||
      !ReadToken(token.Get(), TokenElevation, elevation)) {
    return std::nullopt;
  }
  // The level is the label's last sub-authority.
  const PSID level = label.label.Label.Sid;
  TokenRights rights;
  rights.user = SidText(user.user.User.Sid);
  rights.integrity = *GetSidSubAuthority(level, *GetSidSubAuthorityCount(level) - 1u);
  rights.elevated = elevation.TokenIsElevated != 0;
  return rights;
}

std::optional<TokenRights> RightsOfWindowsProcess(HWND window) {
  DWORD processId = 0;
  if (!window || !GetWindowThreadProcessId(window, &processId)) return std::nullopt;
  const CScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  return process.IsValid() ? RightsOfProcess(process.Get()) : std::nullopt;
}

// The desktop's entry among the shell's windows: the shell's own window, and its browser.
bool FindDesktopShell(HWND& window, CComRef<IDispatch>& browser) {
  CComRef<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                              windows.ReceiveVoid()))) {
    return false;
  }
  VARIANT location, root;  // both empty: the desktop
  VariantInit(&location);
  VariantInit(&root);
  long handle = 0;
  if (windows->FindWindowSW(&location, &root, SWC_DESKTOP, &handle, SWFO_NEEDDISPATCH,
                            browser.Receive()) != S_OK) {
    return false;
  }
  window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
  return static_cast<bool>(browser);
}

// The shell's automation object that lives in the desktop shell's process, reached through the
// desktop's folder view: its ShellExecute runs there, with that process's rights.
bool DesktopShellDispatch(IDispatch* desktopBrowser, CComRef<IShellDispatch2>& shell) {
  CComRef<IServiceProvider> services;
  CComRef<IShellBrowser> browser;
  CComRef<IShellView> view;
  CComRef<IDispatch> background;
  CComRef<IShellFolderViewDual> folderView;
  CComRef<IDispatch> application;
  return SUCCEEDED(desktopBrowser->QueryInterface(IID_IServiceProvider, services.ReceiveVoid())) &&
         SUCCEEDED(services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser,
                                          browser.ReceiveVoid())) &&
         SUCCEEDED(browser->QueryActiveShellView(view.Receive())) &&
         SUCCEEDED(
             view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.ReceiveVoid())) &&
         SUCCEEDED(
             background->QueryInterface(IID_IShellFolderViewDual, folderView.ReceiveVoid())) &&
         SUCCEEDED(folderView->get_Application(application.Receive())) &&
         SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, shell.ReceiveVoid()));
}

const wchar_t* TextOrNull(const std::wstring& text) {
  return text.empty() ? nullptr : text.c_str();
}

}  // namespace

DesktopUserStart ShellExecuteForDesktopUser(const std::wstring& file,
                                            const std::wstring& parameters,
                                            const std::wstring& directory, int show) {
  const CComScope com;  // the shell and the handlers it hands a page to need COM on this thread
  HWND desktopWindow = nullptr;
  CComRef<IDispatch> desktopBrowser;
  FindDesktopShell(desktopWindow, desktopBrowser);
  const std::optional<TokenRights> ours = RightsOfProcess(GetCurrentProcess());
  if (ours && !HoldsMoreRightsThan(*ours, RightsOfWindowsProcess(desktopWindow))) {
    const HINSTANCE result = ShellExecuteW(nullptr, L"open", file.c_str(), TextOrNull(parameters),
                                           TextOrNull(directory), show);
    return reinterpret_cast<INT_PTR>(result) > 32 ? DesktopUserStart::Started
                                                  : DesktopUserStart::Failed;
  }
  CComRef<IShellDispatch2> shell;
  if (!desktopBrowser || !DesktopShellDispatch(desktopBrowser.Get(), shell))
    return DesktopUserStart::Refused;
  const CTextArgument fileText(file), parametersText(parameters), directoryText(directory),
      operation(L"open");
  VARIANT showValue;
  VariantInit(&showValue);
  showValue.vt = VT_I4;
  showValue.lVal = show;
  return SUCCEEDED(shell->ShellExecute(fileText.Get().bstrVal, parametersText.Get(),
                                       directoryText.Get(), operation.Get(), showValue))
             ? DesktopUserStart::Started
             : DesktopUserStart::Refused;
}
