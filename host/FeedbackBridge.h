#pragma once
// Loads the maker's feedback library from the program's folder and calls it. The library is
// never unloaded once loaded; the bridge adds no lock (the library guards its own files).
#include "base/ToolIdentity.h"  // what callers hand to the library
#include "host/FeedbackLibrary.h"

#include <string>

extern const wchar_t FEEDBACK_LIBRARY_NAME[];

// The time text of a feedback record: the low 32 bits of the seconds since 1970, as "%d".
std::wstring FeedbackTimeText(long long secondsSince1970);
// The device-type text of a feedback record: the device type plus one, as "%d".
std::wstring FeedbackDeviceText(int deviceType);

class CFeedbackBridge : public CFeedbackLibrary {
public:
  CFeedbackBridge();
  CFeedbackBridge(const CFeedbackBridge&) = delete;
  CFeedbackBridge& operator=(const CFeedbackBridge&) = delete;

  // Loads FEEDBACK_LIBRARY_NAME from the program file's folder.
  bool Load();
  // Loads the library at that path and resolves its eleven names; false at the first one
  // missing, and the library is released again.
  bool LoadFrom(const std::wstring& libraryPath);

  // Answers 0 while no library is loaded.
  int InitFreedbackDll();
  // One of the six strings filled by InitFreedbackDll; empty before it or out of range.
  const wchar_t* LibraryString(int slot) const;

private:
  HMODULE m_module;  // owned, but deliberately never freed once loaded
  FeedbackString m_strings[FEEDBACK_STRING_COUNT];
};
