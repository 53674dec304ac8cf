#pragma once
// The operating-system version as the process environment block records it. The block's
// layout differs between 32-bit and 64-bit processes; both are read from raw bytes, so that
// either layout can be checked in any build.
#include <cstdint>

enum class PebLayout { Bits32, Bits64 };

struct PebOsVersion {
  std::uint32_t major;
  std::uint32_t minor;
};

// OSMajorVersion and OSMinorVersion: offsets 0xA4 and 0xA8 in the 32-bit block, 0x118 and
// 0x11C in the 64-bit one.
PebOsVersion ReadPebOsVersion(const unsigned char* peb, PebLayout layout);

// Windows 10 (and 11, which reports itself as 10.0) is 10.0 whatever the build number.
bool IsWindows10Version(const PebOsVersion& version);
