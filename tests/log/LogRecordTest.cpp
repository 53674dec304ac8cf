#include "log/LogRecord.h"

#include <gtest/gtest.h>

TEST(FormatLogRecord, PrefixTimeThreeBlanksMessageLineEnd) {
  EXPECT_EQ("[2021-03-05 09:07:02 045ms]   message\r\n",
            FormatLogRecord({2021, 3, 5, 9, 7, 2, 45}, "message"));
  EXPECT_EQ("[2026-12-31 23:59:59 999ms]   \r\n",
            FormatLogRecord({2026, 12, 31, 23, 59, 59, 999}, ""));
  // Message bytes pass through untouched (code page 936 text, a percent sign).
  EXPECT_EQ("[2021-01-01 00:00:00 000ms]   \xD6\xD0 100%s\r\n",
            FormatLogRecord({2021, 1, 1, 0, 0, 0, 0}, "\xD6\xD0 100%s"));
}

TEST(IsPrintEnabled, ExactlyOneEnablesOrdinaryRecords) {
  for (const wchar_t* on : {L"1", L" 1 ", L"\t1\r\n", L"01", L"1abc", L"+1", L"0001"}) {
    EXPECT_TRUE(IsPrintEnabled(on)) << on;
  }
  for (const wchar_t* off : {L"", L"-1", L"0", L"2", L"10", L"11", L"yes", L"a1", L"-01",
                             L"99999999999999999999"}) {
    EXPECT_FALSE(IsPrintEnabled(off)) << off;
  }
}

TEST(NeedsBackup, StrictlyAboveTheLimit) {
  EXPECT_FALSE(NeedsBackup(6020000));
  EXPECT_TRUE(NeedsBackup(6020001));
  EXPECT_TRUE(NeedsBackup(0x100000000ull + 100));  // 4 GiB and 100 bytes, not 100
}
