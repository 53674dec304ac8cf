// Stand-in for HalvexFeedbackInformation.dll in the tool's start-up tests: the same eleven
// names, answering what the test asks for. STANDIN_FEEDBACK_INIT is the answer of
// InitFreedbackDll (1 by default), STANDIN_FEEDBACK_VERSION that of GetToolIsNewVersion (1 by
// default); every call's name is appended to the file named by STANDIN_FEEDBACK_JOURNAL.
#include "feedback/FeedbackApi.h"

#include <cstdio>
#include <cstdlib>

extern "C" {
int FEEDBACK_CALL InitFreedbackDll(FeedbackString* strings);
int FEEDBACK_CALL FeedbackQuestion(const wchar_t*, const wchar_t*);
int FEEDBACK_CALL OpenUrl(BSTR);
int FEEDBACK_CALL GetInterNetState();
int FEEDBACK_CALL CustomerFeedback(const wchar_t*, const wchar_t*, int);
int FEEDBACK_CALL CustomerFeedbackEx(const wchar_t*, const wchar_t*, int, const wchar_t*,
                                     const wchar_t*);
int FEEDBACK_CALL WriteCustomerFeedbackInfoFile(const wchar_t*);
int FEEDBACK_CALL GetToolIsNewVersion(const wchar_t*, const wchar_t*);
int FEEDBACK_CALL GetToolIsNewVersionDown(const wchar_t*, const wchar_t*);
int FEEDBACK_CALL OpenToolDownUrl();
int FEEDBACK_CALL OpenUseAgreementUrl();
}

namespace {

int Answer(const char* variable, int fallback) {
  const char* value = std::getenv(variable);
  return value ? std::atoi(value) : fallback;
}

int Journal(const char* call, int answer) {
  if (const char* file = std::getenv("STANDIN_FEEDBACK_JOURNAL")) {
    if (FILE* journal = std::fopen(file, "ab")) {
      std::fprintf(journal, "%s = %d\n", call, answer);
      std::fclose(journal);
    }
  }
  return answer;
}

}  // namespace

int FEEDBACK_CALL InitFreedbackDll(FeedbackString* strings) {
  if (strings)
    lstrcpynW(strings[FEEDBACK_SLOT_MORE_TOOLS_PAGE], L"https://tools.invalid/more",
              FEEDBACK_STRING_SIZE);
  return Journal("InitFreedbackDll", Answer("STANDIN_FEEDBACK_INIT", 1));
}
int FEEDBACK_CALL FeedbackQuestion(const wchar_t*, const wchar_t*) {
  return Journal("FeedbackQuestion", 1);
}
int FEEDBACK_CALL OpenUrl(BSTR) { return Journal("OpenUrl", 1); }
int FEEDBACK_CALL GetInterNetState() { return Journal("GetInterNetState", 1); }
int FEEDBACK_CALL CustomerFeedback(const wchar_t*, const wchar_t*, int) {
  return Journal("CustomerFeedback", 1);
}
int FEEDBACK_CALL CustomerFeedbackEx(const wchar_t*, const wchar_t*, int, const wchar_t*,
                                     const wchar_t*) {
  return Journal("CustomerFeedbackEx", 1);
}
int FEEDBACK_CALL WriteCustomerFeedbackInfoFile(const wchar_t*) {
  return Journal("WriteCustomerFeedbackInfoFile", 1);
}
int FEEDBACK_CALL GetToolIsNewVersion(const wchar_t*, const wchar_t*) {
  return Journal("GetToolIsNewVersion", Answer("STANDIN_FEEDBACK_VERSION", 1));
}
int FEEDBACK_CALL GetToolIsNewVersionDown(const wchar_t*, const wchar_t*) {
  return Journal("GetToolIsNewVersionDown", 1);
}
int FEEDBACK_CALL OpenToolDownUrl() { return Journal("OpenToolDownUrl", 1); }
int FEEDBACK_CALL OpenUseAgreementUrl() { return Journal("OpenUseAgreementUrl", 1); }
