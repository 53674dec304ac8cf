#include "base/TrustRules.h"

namespace {

const wchar_t ADMINISTRATORS[] = L"S-1-5-32-544";
const wchar_t LOCAL_SYSTEM[] = L"S-1-5-18";
constexpr unsigned long MEDIUM_INTEGRITY = 0x2000;

}  // namespace

bool HoldsMoreRightsThan(const TokenRights& ours, const std::optional<TokenRights>& desktopUser) {
  if (!desktopUser) return ours.elevated || ours.integrity > MEDIUM_INTEGRITY;
  return ours.user != desktopUser->user || ours.integrity > desktopUser->integrity ||
         (ours.elevated && !desktopUser->elevated);
}

bool IsTrustedFolderOwner(const std::wstring& owner, const std::wstring& parentOwner) {
  return !owner.empty() &&
         (owner == ADMINISTRATORS || owner == LOCAL_SYSTEM || owner == parentOwner);
}
