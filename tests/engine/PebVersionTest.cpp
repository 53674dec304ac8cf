#include "engine/PebVersion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::vector<unsigned char> BlockWith(std::size_t majorOffset, std::uint32_t major,
                                     std::uint32_t minor) {
  std::vector<unsigned char> block(0x200, 0xEE);
  std::memcpy(&block[majorOffset], &major, 4);
  std::memcpy(&block[majorOffset + 4], &minor, 4);
  return block;
}

TEST(PebVersion, ReadsTheFieldsOfEachLayout) {
  const auto block32 = BlockWith(0xA4, 10, 0);
  const PebOsVersion v32 = ReadPebOsVersion(block32.data(), PebLayout::Bits32);
  EXPECT_EQ(10u, v32.major);
  EXPECT_EQ(0u, v32.minor);

  const auto block64 = BlockWith(0x118, 6, 3);
  const PebOsVersion v64 = ReadPebOsVersion(block64.data(), PebLayout::Bits64);
  EXPECT_EQ(6u, v64.major);
  EXPECT_EQ(3u, v64.minor);
  // The other layout's offsets hold something else entirely.
  EXPECT_NE(6u, ReadPebOsVersion(block64.data(), PebLayout::Bits32).major);
}

TEST(PebVersion, OnlyTenPointZeroIsWindows10) {
  EXPECT_TRUE(IsWindows10Version({10, 0}));
  for (PebOsVersion other : {PebOsVersion{6, 3}, PebOsVersion{6, 2}, PebOsVersion{6, 1},
                             PebOsVersion{5, 1}, PebOsVersion{10, 1}, PebOsVersion{11, 0},
                             PebOsVersion{0, 0}}) {
    EXPECT_FALSE(IsWindows10Version(other)) << other.major << "." << other.minor;
  }
}

}  // namespace
