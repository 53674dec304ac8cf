// Which folder the tool may remove at exit, and the command that removes it.
#include "app/ToolFolderRules.h"

#include <gtest/gtest.h>

TEST(ToolFolderRules, FolderIsThePathBeforeTheLastBackslash) {
  EXPECT_EQ(L"C:\\Tools\\补丁 & 卸载", FolderOfPath(L"C:\\Tools\\补丁 & 卸载\\tool.exe"));
  EXPECT_EQ(L"C:", FolderOfPath(L"C:\\tool.exe"));
  EXPECT_EQ(L"", FolderOfPath(L"tool.exe"));
}

TEST(ToolFolderRules, RootsOfDrivesAndSharesAreRecognised) {
  const struct {
    const wchar_t* folder;
    bool root;
  } cases[] = {{L"", true},
               {L"C:", true},
               {L"C:\\", true},
               {L"\\\\server\\share", true},
               {L"\\\\server\\share\\", true},
               {L"\\\\?\\C:", true},
               {L"\\\\?\\C:\\", true},
               {L"\\\\?\\UNC\\server\\share", true},
               {L"\\\\?\\UNC\\server\\share\\tool", false},
               {L"C:\\Tools", false},
               {L"\\\\server\\share\\tool", false}};
  for (const auto& c : cases) EXPECT_EQ(c.root, IsRootFolder(c.folder)) << c.folder;
}

TEST(ToolFolderRules, AFolderHoldingAKnownFolderIsRecognisedWhateverTheCase) {
  const struct {
    const wchar_t* folder;
    const wchar_t* known;
    bool holds;
  } cases[] = {{L"C:\\Users\\li", L"C:\\Users\\li", true},
               {L"c:\\users", L"C:\\Users\\li\\Desktop", true},
               {L"C:\\Users\\li\\", L"C:\\Users\\li", true},
               {L"C:\\Users\\li\\Desktop\\Tool", L"C:\\Users\\li\\Desktop", false},
               {L"C:\\Program", L"C:\\Program Files", false},
               {L"C:\\Windows", L"C:\\Windows\\System32", true},
               {L"", L"C:\\Windows", false}};
  for (const auto& c : cases) EXPECT_EQ(c.holds, ContainsOrIsFolder(c.folder, c.known)) << c.folder;
}

TEST(ToolFolderRules, OnlyTheProgramAndItsCompanionsMayBeInTheFolder) {
  using Listing = std::vector<FolderEntry>;
  const std::wstring program = L"Dov10arevarez.exe";
  EXPECT_TRUE(HoldsOnlyToolFiles(Listing{}, program));
  EXPECT_TRUE(HoldsOnlyToolFiles(Listing{{L"dov10AREVAREZ.EXE"},
                                         {L"HalvexFeedbackInformation.dll"},
                                         {L"HalvexFeedbackInformation.ini"}},
                                 program));
  EXPECT_FALSE(HoldsOnlyToolFiles(Listing{{program}, {L"报告.docx"}}, program));
  EXPECT_FALSE(
      HoldsOnlyToolFiles(Listing{{program}, {L"HalvexFeedbackInformation.dll", true}}, program));
  EXPECT_FALSE(HoldsOnlyToolFiles(Listing{{program}, {L"other.exe"}}, program));
  EXPECT_FALSE(HoldsOnlyToolFiles(std::nullopt, program));  // could not be listed
}
