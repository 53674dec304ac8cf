#pragma once
// Whom the tool, running with administrator rights, may act for or trust. No system call here.
#include <optional>
#include <string>

// What a process's access token holds that matters here.
struct TokenRights {
  std::wstring user;            // the user's SID, as "S-1-5-21-..."
  unsigned long integrity = 0;  // the mandatory label's level (0x2000 medium, 0x3000 high)
  bool elevated = false;        // the token holds the rights UAC gives only on consent
};

// True when `ours` holds rights the desktop's user has not: another user, a higher integrity
// level or an elevation theirs lacks. Without the desktop user's token (no desktop shell to read
// it from) only a token that holds no administrator rights counts as holding no more.
bool HoldsMoreRightsThan(const TokenRights& ours, const std::optional<TokenRights>& desktopUser);

// True when a folder we write records in may be used: its owner, who can always change who has
// access, is the administrators, the system, or whoever owns the folder it lies in (which we
// trust anyway by writing there). A folder an ordinary user made first is refused.
bool IsTrustedFolderOwner(const std::wstring& owner, const std::wstring& parentOwner);
