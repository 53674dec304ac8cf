#include "engine/PebVersion.h"

#include <cstring>

namespace {

std::uint32_t ReadField(const unsigned char* peb, std::size_t offset) {
  std::uint32_t value;
  std::memcpy(&value, peb + offset, sizeof value);
  return value;
}

}  // namespace

PebOsVersion ReadPebOsVersion(const unsigned char* peb, PebLayout layout) {
  if (layout == PebLayout::Bits32) return {ReadField(peb, 0xA4), ReadField(peb, 0xA8)};
  return {ReadField(peb, 0x118), ReadField(peb, 0x11C)};
}

bool IsWindows10Version(const PebOsVersion& version) {
  return version.major == 10 && version.minor == 0;
}
