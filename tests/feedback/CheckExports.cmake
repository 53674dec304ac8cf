# cmake -DOBJDUMP=... -DLIBRARY=... -P CheckExports.cmake
# Fails unless the library's export table holds exactly the eleven undecorated names.
set(expected CustomerFeedback CustomerFeedbackEx FeedbackQuestion GetInterNetState GetToolIsNewVersion
    GetToolIsNewVersionDown InitFreedbackDll OpenToolDownUrl OpenUrl OpenUseAgreementUrl
    WriteCustomerFeedbackInfoFile)
execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} cannot read ${LIBRARY}")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table\n[^\n]*(\n[ \t]+\\[[^\n]*)*" table "${dump}")
# Entries read "\t[   0] Name"; decorated stdcall names would keep an "@n" and fail below.
string(REGEX MATCHALL "\\[ *[0-9]+\\] [^\n]+" entries "${table}")
set(names)
foreach(entry ${entries})
  string(REGEX REPLACE "^\\[ *[0-9]+\\] " "" name "${entry}")
  list(APPEND names "${name}")
endforeach()
list(SORT names)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "exports of ${LIBRARY}:\n  ${names}\nexpected:\n  ${expected}")
endif()
message(STATUS "${LIBRARY}: the eleven names, undecorated")
