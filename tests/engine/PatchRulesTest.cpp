#include "engine/PatchRules.h"
#include "engine/ProtectedPatchTable.h"

#include <gtest/gtest.h>

TEST(ValidatePatchNumber, LengthRuleComesBeforeTheDigitQuestion) {
  EXPECT_EQ(PATCH_LENGTH_INVALID, ValidatePatchNumber(L""));
  EXPECT_EQ(PATCH_LENGTH_INVALID, ValidatePatchNumber(L"12345"));
  EXPECT_EQ(PATCH_LENGTH_INVALID, ValidatePatchNumber(L"12345678901"));
  EXPECT_EQ(PATCH_LENGTH_INVALID, ValidatePatchNumber(L"abcde"));
  EXPECT_EQ(PATCH_LENGTH_INVALID, ValidatePatchNumber(L"KB123456789"));
}

TEST(ValidatePatchNumber, AcceptsSixToTenDigits) {
  EXPECT_EQ(PATCH_ACCEPTABLE, ValidatePatchNumber(L"123456"));
  EXPECT_EQ(PATCH_ACCEPTABLE, ValidatePatchNumber(L"4512578"));
  EXPECT_EQ(PATCH_ACCEPTABLE, ValidatePatchNumber(L"1234567890"));
}

TEST(ValidatePatchNumber, AnyNonDigitAsksTheQuestion) {
  EXPECT_EQ(PATCH_HAS_NON_DIGIT, ValidatePatchNumber(L"KB123456"));
  EXPECT_EQ(PATCH_HAS_NON_DIGIT, ValidatePatchNumber(L" 4512578"));
  EXPECT_EQ(PATCH_HAS_NON_DIGIT, ValidatePatchNumber(L"451257/"));  // 0x2F, just below '0'
  EXPECT_EQ(PATCH_HAS_NON_DIGIT, ValidatePatchNumber(L"451257:"));  // 0x3A, just above '9'
  EXPECT_EQ(PATCH_HAS_NON_DIGIT, ValidatePatchNumber(L"\xFF11" L"23456"));  // full-width one
}

TEST(ProtectedPatchTable, HoldsTheSeventeenEntriesExactly) {
  const CProtectedPatchTable table;
  for (const wchar_t* number :
       {L"5005565", L"5007186", L"5005033", L"5006670", L"5000808", L"5003637", L"5003173",
        L"5000802", L"4601050", L"4578968", L"4601319", L"50000908", L"4592449", L"4577671",
        L"4574727", L"4565351", L"4512578"}) {
    EXPECT_TRUE(table.IsProtectedPatch(number)) << number;
  }
  EXPECT_FALSE(table.IsProtectedPatch(L" 4512578"));
  EXPECT_FALSE(table.IsProtectedPatch(L"04512578"));
  EXPECT_FALSE(table.IsProtectedPatch(L"KB4512578"));
  EXPECT_FALSE(table.IsProtectedPatch(L"451257"));
  EXPECT_FALSE(table.IsProtectedPatch(L"5000090"));
}

TEST(IsCommandSafePatchNumber, AllowsDigitsLettersAndBlanksOnly) {
  EXPECT_TRUE(IsCommandSafePatchNumber(L"4512578"));
  EXPECT_TRUE(IsCommandSafePatchNumber(L"KB123456"));
  EXPECT_TRUE(IsCommandSafePatchNumber(L" 4512578"));
  for (const wchar_t* unsafe : {L"1&calc.exe", L"123456|x", L"123456>x", L"12345\"6", L"12345%6",
                                L"123^456", L"123456\t", L"123456\r\n", L"(123456)",
                                L"12345\xFF16", L"123456;"}) {
    EXPECT_FALSE(IsCommandSafePatchNumber(unsafe)) << unsafe;
  }
}

TEST(CommandTexts, NumberIsAppendedUnchanged) {
  EXPECT_EQ(L"wusa /uninstall /kb:4512578", UninstallCommand(L"4512578"));
  EXPECT_EQ(L"wusa /uninstall /kb:KB123456", UninstallCommand(L"KB123456"));
  EXPECT_EQ(L"KBKB123456", PatchSearchText(L"KB123456"));
  EXPECT_EQ(L"KB 4512578", PatchSearchText(L" 4512578"));
  EXPECT_STREQ(L"powershell -NoProfile -command \"get-hotfix\"", QUERY_COMMAND);
}

TEST(ContainsPatchId, CountsOnlyWhereNoDigitFollows) {
  EXPECT_FALSE(ContainsPatchId(L"KB5027122  NT AUTHORITY", L"KB502712"));
  EXPECT_TRUE(ContainsPatchId(L"KB5027122 KB502712", L"KB502712"));
  EXPECT_TRUE(ContainsPatchId(L"KB502712a", L"KB502712"));
}
