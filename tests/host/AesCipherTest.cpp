#include "host/AesCipher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Hex(const std::string& text) {
  std::vector<uint8_t> bytes;
  for (size_t i = 0; i + 1 < text.size(); i += 2) bytes.push_back(static_cast<uint8_t>(std::stoi(text.substr(i, 2), nullptr, 16)));
  return bytes;
}

std::vector<uint8_t> Decrypt(const CAesCipher& cipher, const std::vector<uint8_t>& input, int mode) {
  std::vector<uint8_t> output(input.size(), 0xEE);
  cipher.DecryptBlocks(input.data(), output.data(), output.size(), mode);
  return output;
}

// Counter mode over a zero block yields the forward cipher of the counter block.
std::vector<uint8_t> Encrypt(CAesCipher& cipher, const std::vector<uint8_t>& block) {
  cipher.SetCounter(block.data());
  return Decrypt(cipher, std::vector<uint8_t>(16, 0), AES_MODE_CTR);
}

const std::string FIPS_PLAIN = "00112233445566778899aabbccddeeff";

struct KeyCase {
  const char* key;
  const char* cipherText;
};

// FIPS-197 Appendix C.1, C.2 and C.3: the three key sizes select 10, 12 and 14 rounds.
const KeyCase FIPS_CASES[] = {
    {"000102030405060708090a0b0c0d0e0f", "69c4e0d86a7b0430d8cdb78070b4c55a"},
    {"000102030405060708090a0b0c0d0e0f1011121314151617", "dda97ca4864cdfe06eaf70a0ec0d7191"},
    {"000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f", "8ea2b7ca516745bfeafc49904b496089"},
};

TEST(AesCipher, Fips197AppendixCForAllKeySizes) {
  for (const KeyCase& c : FIPS_CASES) {
    SCOPED_TRACE(c.key);
    CAesCipher cipher;
    const std::vector<uint8_t> key = Hex(c.key);
    cipher.SetKey(key.data(), key.size());
    EXPECT_EQ(Hex(FIPS_PLAIN), Decrypt(cipher, Hex(c.cipherText), AES_MODE_ECB));
    EXPECT_EQ(Hex(c.cipherText), Encrypt(cipher, Hex(FIPS_PLAIN)));
  }
}

// SP 800-38A, F.1 to F.5, AES-128: four blocks for every mode.
const std::string SP_KEY = "2b7e151628aed2a6abf7158809cf4f3c";
const std::string SP_VECTOR = "000102030405060708090a0b0c0d0e0f";
const std::string SP_PLAIN =
    "6bc1bee22e409f96e93d7e117393172aae2d8a571e03ac9c9eb76fac45af8e51"
    "30c81c46a35ce411e5fbc1191a0a52eff69f2445df4f9b17ad2b417be66c3710";

class AesModes : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::vector<uint8_t> key = Hex(SP_KEY);
    cipher.SetKey(key.data(), key.size());
    const std::vector<uint8_t> vector = Hex(SP_VECTOR);
    cipher.SetInitialVector(vector.data());
  }
  CAesCipher cipher;
};

TEST_F(AesModes, Sp80038aDecipheringInEcbCbcCfbOfb) {
  const struct {
    int mode;
    const char* cipherText;
  } cases[] = {
      {AES_MODE_ECB,
       "3ad77bb40d7a3660a89ecaf32466ef97f5d3d58503b9699de785895a96fdbaaf"
       "43b1cd7f598ece23881b00e3ed0306887b0c785e27e8ad3f8223207104725dd4"},
      {AES_MODE_CBC,
       "7649abac8119b246cee98e9b12e9197d5086cb9b507219ee95db113a917678b2"
       "73bed6b8e3c1743b7116e69e222295163ff1caa1681fac09120eca307586e1a7"},
      {AES_MODE_CFB,
       "3b3fd92eb72dad20333449f8e83cfb4ac8a64537a0b3a93fcde3cdad9f1ce58b"
       "26751f67a3cbb140b1808cf187a4f4dfc04b05357c5d1c0eeac4c66f9ff7f2e6"},
      {AES_MODE_OFB,
       "3b3fd92eb72dad20333449f8e83cfb4a7789508d16918f03f53c52dac54ed825"
       "9740051e9c5fecf64344f7a82260edcc304c6528f659c77866a510d9c1d6ae5e"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    EXPECT_EQ(Hex(SP_PLAIN), Decrypt(cipher, Hex(c.cipherText), c.mode));
    // Every call starts again from the stored vector, and may work in place.
    std::vector<uint8_t> inPlace = Hex(c.cipherText);
    cipher.DecryptBlocks(inPlace.data(), inPlace.data(), inPlace.size(), c.mode);
    EXPECT_EQ(Hex(SP_PLAIN), inPlace);
  }
}

TEST_F(AesModes, Sp80038aFirstCounterBlock) {
  // Only the first block: the publication counts big-endian, the clients little-endian.
  const std::vector<uint8_t> counter = Hex("f0f1f2f3f4f5f6f7f8f9fafbfcfdfeff");
  cipher.SetCounter(counter.data());
  const std::vector<uint8_t> plain = Hex(SP_PLAIN.substr(0, 32));
  EXPECT_EQ(plain, Decrypt(cipher, Hex("874d6191b620e3261bef6864990db6ce"), AES_MODE_CTR));
  EXPECT_EQ(Hex("874d6191b620e3261bef6864990db6ce"), Decrypt(cipher, plain, AES_MODE_CTR));
}

TEST(AesCounterMode, CarryMovesUpFromByteZero) {
  CAesCipher cipher;
  const std::vector<uint8_t> key = Hex(SP_KEY);
  cipher.SetKey(key.data(), key.size());
  const std::vector<uint8_t> start = Hex("ff0500000000000000000000000000aa");
  const std::vector<uint8_t> next = Hex("000600000000000000000000000000aa");
  const std::vector<uint8_t> third = Hex("010600000000000000000000000000aa");
  const std::vector<uint8_t> expected0 = Encrypt(cipher, start);
  const std::vector<uint8_t> expected1 = Encrypt(cipher, next);
  const std::vector<uint8_t> expected2 = Encrypt(cipher, third);

  cipher.SetCounter(start.data());
  const std::vector<uint8_t> stream = Decrypt(cipher, std::vector<uint8_t>(48, 0), AES_MODE_CTR);
  EXPECT_EQ(expected0, std::vector<uint8_t>(stream.begin(), stream.begin() + 16));
  EXPECT_EQ(expected1, std::vector<uint8_t>(stream.begin() + 16, stream.begin() + 32));
  EXPECT_EQ(expected2, std::vector<uint8_t>(stream.begin() + 32, stream.end()));
  // The stored counter never advances: a second call repeats the stream.
  EXPECT_EQ(stream, Decrypt(cipher, std::vector<uint8_t>(48, 0), AES_MODE_CTR));
}

TEST(AesCounterMode, AllSixteenBytesAt255WrapToZero) {
  CAesCipher cipher;
  const std::vector<uint8_t> zeroKey(16, 0);
  cipher.SetKey(zeroKey.data(), zeroKey.size());
  const std::vector<uint8_t> top(16, 0xFF);
  cipher.SetCounter(top.data());
  const std::vector<uint8_t> stream = Decrypt(cipher, std::vector<uint8_t>(32, 0), AES_MODE_CTR);
  // AES-128 of the zero block under the zero key.
  EXPECT_EQ(Hex("66e94bd4ef8a2c3b884cfa59ca342b2e"), std::vector<uint8_t>(stream.begin() + 16, stream.end()));
}

TEST(AesCipher, KeyLengthOtherThan16_24_32ChangesNothing) {
  CAesCipher unkeyed;
  const std::vector<uint8_t> key20(20, 0x11);
  unkeyed.SetKey(key20.data(), key20.size());
  const std::vector<uint8_t> block = Hex(FIPS_CASES[0].cipherText);
  EXPECT_EQ(std::vector<uint8_t>(16, 0xEE), Decrypt(unkeyed, block, AES_MODE_ECB));  // still no key

  CAesCipher keyed;
  const std::vector<uint8_t> key = Hex(FIPS_CASES[0].key);
  keyed.SetKey(key.data(), key.size());
  keyed.SetKey(key20.data(), key20.size());
  keyed.SetKey(nullptr, 16);
  EXPECT_EQ(Hex(FIPS_PLAIN), Decrypt(keyed, block, AES_MODE_ECB));  // the earlier key stays
}

TEST_F(AesModes, RefusesWhatItCannotDo) {
  const std::vector<uint8_t> input(32, 0x42);
  std::vector<uint8_t> output(32, 0xEE);
  const std::vector<uint8_t> untouched = output;
  cipher.DecryptBlocks(input.data(), output.data(), 20, AES_MODE_ECB);
  cipher.DecryptBlocks(input.data(), output.data(), 0, AES_MODE_ECB);
  cipher.DecryptBlocks(input.data(), output.data(), 32, 5);
  cipher.DecryptBlocks(input.data(), output.data(), 32, -1);
  cipher.DecryptBlocks(nullptr, output.data(), 32, AES_MODE_ECB);
  cipher.DecryptBlocks(input.data(), nullptr, 32, AES_MODE_ECB);
  cipher.DecryptBlocks(input.data(), output.data(), 32, AES_MODE_CTR);  // no counter yet
  cipher.SetInitialVector(nullptr);
  cipher.DecryptBlocks(input.data(), output.data(), 32, AES_MODE_CBC);
  cipher.DecryptBlocks(input.data(), output.data(), 32, AES_MODE_CFB);
  cipher.DecryptBlocks(input.data(), output.data(), 32, AES_MODE_OFB);
  EXPECT_EQ(untouched, output);

  const std::vector<uint8_t> counter(16, 0);
  cipher.SetCounter(counter.data());
  cipher.SetCounter(nullptr);
  cipher.DecryptBlocks(input.data(), output.data(), 32, AES_MODE_CTR);
  EXPECT_EQ(untouched, output);
}

}  // namespace
