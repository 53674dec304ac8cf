#pragma once
// The interface of HalvexFeedbackInformation.dll, shared by the library and the program's
// bridge so that both use one calling convention and one set of argument types.
#include <windows.h>
#include <wtypes.h>

#define FEEDBACK_CALL __stdcall

// InitFreedbackDll fills six strings of FEEDBACK_STRING_SIZE wide characters each.
constexpr int FEEDBACK_STRING_COUNT = 6;
constexpr int FEEDBACK_STRING_SIZE = 1024;
typedef wchar_t FeedbackString[FEEDBACK_STRING_SIZE];

enum FeedbackStringSlot {
  FEEDBACK_SLOT_FEEDBACK_PAGE = 0,
  FEEDBACK_SLOT_USE_AGREEMENT_PAGE = 1,
  FEEDBACK_SLOT_TOOL_DOWNLOAD_PAGE = 2,
  FEEDBACK_SLOT_MORE_TOOLS_PAGE = 3,
  FEEDBACK_SLOT_LIBRARY_VERSION = 4,
  FEEDBACK_SLOT_RECORD_FOLDER = 5,
};

// Answers of GetToolIsNewVersion and GetToolIsNewVersionDown.
constexpr int VERSION_CHECK_FAILED = 0;  // unknown tool or unreadable version
constexpr int VERSION_IS_NEWEST = 1;
constexpr int NEW_VERSION_AVAILABLE = 3;

typedef int(FEEDBACK_CALL* InitFreedbackDllProc)(FeedbackString* strings);
typedef int(FEEDBACK_CALL* FeedbackQuestionProc)(const wchar_t* toolId, const wchar_t* toolVersion);
typedef int(FEEDBACK_CALL* OpenUrlProc)(BSTR url);
typedef int(FEEDBACK_CALL* GetInterNetStateProc)();
typedef int(FEEDBACK_CALL* CustomerFeedbackProc)(const wchar_t* toolId, const wchar_t* toolVersion,
                                                 int code);
typedef int(FEEDBACK_CALL* CustomerFeedbackExProc)(const wchar_t* toolId,
                                                   const wchar_t* toolVersion, int code,
                                                   const wchar_t* timeText,
                                                   const wchar_t* deviceText);
typedef int(FEEDBACK_CALL* WriteCustomerFeedbackInfoFileProc)(const wchar_t* path);
typedef int(FEEDBACK_CALL* GetToolIsNewVersionProc)(const wchar_t* toolId,
                                                    const wchar_t* toolVersion);
typedef int(FEEDBACK_CALL* GetToolIsNewVersionDownProc)(const wchar_t* toolId,
                                                        const wchar_t* toolVersion);
typedef int(FEEDBACK_CALL* OpenToolDownUrlProc)();
typedef int(FEEDBACK_CALL* OpenUseAgreementUrlProc)();
