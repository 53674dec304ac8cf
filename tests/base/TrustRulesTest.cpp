#include "base/TrustRules.h"

#include <gtest/gtest.h>

namespace {

const wchar_t USER[] = L"S-1-5-21-1-2-3-1001";

// UAC's consent, another user's password, or a desktop user we cannot see: we hold more. The
// same token as the desktop shell's (UAC off, the built-in Administrator, Wine): we do not.
TEST(HoldsMoreRightsThan, TheDesktopUser) {
  const TokenRights elevated{USER, 0x3000, true}, filtered{USER, 0x2000, false};
  EXPECT_TRUE(HoldsMoreRightsThan(elevated, filtered));
  EXPECT_TRUE(HoldsMoreRightsThan(filtered, TokenRights{L"S-1-5-21-1-2-3-1002", 0x2000, false}));
  EXPECT_TRUE(HoldsMoreRightsThan(elevated, std::nullopt));
  EXPECT_FALSE(HoldsMoreRightsThan(elevated, elevated));
  EXPECT_FALSE(HoldsMoreRightsThan(filtered, std::nullopt));
}

TEST(IsTrustedFolderOwner, AdministratorsTheSystemOrTheParentsOwner) {
  EXPECT_TRUE(IsTrustedFolderOwner(L"S-1-5-32-544", L"S-1-5-18"));
  EXPECT_TRUE(IsTrustedFolderOwner(L"S-1-5-18", L"S-1-5-18"));
  EXPECT_TRUE(IsTrustedFolderOwner(USER, USER));          // Wine: every file is its user's
  EXPECT_FALSE(IsTrustedFolderOwner(USER, L"S-1-5-18"));  // an ordinary user made it first
  EXPECT_FALSE(IsTrustedFolderOwner(L"", L""));           // the owner could not be read
}

}  // namespace
