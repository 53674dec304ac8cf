#include "host/FeedbackBridge.h"

#include "base/ProgramFolder.h"

#include <cstdint>

const wchar_t FEEDBACK_LIBRARY_NAME[] = L"HalvexFeedbackInformation.dll";

std::wstring FeedbackTimeText(long long secondsSince1970) {
  return std::to_wstring(
      static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(secondsSince1970))));
}

std::wstring FeedbackDeviceText(int deviceType) {
  // Computed in 64 bits: the largest device type must not overflow.
  return std::to_wstring(static_cast<long long>(deviceType) + 1);
}

CFeedbackBridge::CFeedbackBridge() : m_module(nullptr), m_strings{} {}

bool CFeedbackBridge::Load() {
  return LoadFrom(ModuleFolder(nullptr) + L"\\" + FEEDBACK_LIBRARY_NAME);
}

bool CFeedbackBridge::LoadFrom(const std::wstring& libraryPath) {
  if (m_module) return true;
  // By its full path; what it needs in turn comes from the system folder only, never from the
  // tool's folder beside it.
  const HMODULE module = LoadLibraryExW(libraryPath.c_str(), nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module) return false;
  if (!Resolve(module)) {
    FreeLibrary(module);
    return false;
  }
  m_module = module;
  return true;
}

int CFeedbackBridge::InitFreedbackDll() { return CFeedbackLibrary::InitFreedbackDll(m_strings); }

const wchar_t* CFeedbackBridge::LibraryString(int slot) const {
  if (slot < 0 || slot >= FEEDBACK_STRING_COUNT) return L"";
  return m_strings[slot];
}
