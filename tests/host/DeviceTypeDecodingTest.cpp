#include "host/AesCipher.h"
#include "host/DeviceTypeDecoding.h"
#include "tools/DeviceInfoEncoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Decodes into a buffer one byte longer than the limit allows, so that a write past the limit
// would show.
struct Decoded {
  int result;
  std::string bytes;
};

Decoded Decode(const char* text, int limit = 0, size_t room = 64) {
  std::vector<uint8_t> output(room, 0xEE);
  const int result = Base64Decode(text, output.data(), limit);
  size_t used = 0;
  while (used < output.size() && output[used] != 0xEE) ++used;
  return {result, std::string(output.begin(), output.begin() + used)};
}

TEST(Base64Decode, Rfc4648Vectors) {
  const struct {
    const char* text;
    const char* bytes;
  } cases[] = {{"", ""},          {"Zg==", "f"},         {"Zm8=", "fo"},         {"Zm9v", "foo"},
               {"Zm9vYg==", "foob"}, {"Zm9vYmE=", "fooba"}, {"Zm9vYmFy", "foobar"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const Decoded d = Decode(c.text);
    EXPECT_EQ(static_cast<int>(std::strlen(c.bytes)), d.result);
    EXPECT_EQ(c.bytes, d.bytes);
  }
  const Decoded all = Decode("+/8=");
  EXPECT_EQ(2, all.result);
  EXPECT_EQ(std::string("\xFB\xFF"), all.bytes);
}

TEST(Base64Decode, PlusBlankPrefixAndEndings) {
  EXPECT_EQ(3, Decode("+ Zm9v").result);
  EXPECT_EQ("foo", Decode("+ Zm9v").bytes);
  EXPECT_EQ(0, Decode("+ \rZm9v").result);
  EXPECT_EQ(0, Decode("\r").result);
  // A carriage return or zero byte at the start of a group ends decoding with what was written.
  EXPECT_EQ("foo", Decode("Zm9v\r\nZm9v").bytes);
  EXPECT_EQ(3, Decode("Zm9v\r\nZm9v").result);
  // The group ending in "=" is the last one read.
  EXPECT_EQ(1, Decode("Zg==Zm9v").result);
  EXPECT_EQ(2, Decode("Zm8=*not read*").result);
  // "+" without the blank is an alphabet character.
  EXPECT_EQ(3, Decode("+Zm9").result);
}

TEST(Base64Decode, BadCharactersEndWithMinusOne) {
  EXPECT_EQ(-1, Decode("Zm9v*m9v").result);
  EXPECT_EQ("foo", Decode("Zm9v*m9v").bytes);  // the bytes before the bad group stay
  EXPECT_EQ(-1, Decode("Z=9v").result);        // "=" only in the third and fourth place
  EXPECT_EQ(-1, Decode("Zm9\xC4").result);     // high bit set
  EXPECT_EQ(-1, Decode("\xD6\xD0\xCE\xC4").result);
  EXPECT_EQ(-1, Decode("Zm9v Zm9v").result);
  EXPECT_EQ(-1, Decode("Zm9").result);  // the terminator inside a group is not read past
  EXPECT_EQ(-1, Decode(nullptr).result);
}

TEST(Base64Decode, OutputLimitIsCheckedBeforeEachByte) {
  EXPECT_EQ(6, Decode("Zm9vYmFy", 6).result);
  const Decoded cut = Decode("Zm9vYmFy", 5);
  EXPECT_EQ(-1, cut.result);
  EXPECT_EQ("fooba", cut.bytes);  // nothing written past the limit
  EXPECT_EQ(-1, Decode("Zg==", -3).result);
  EXPECT_EQ(6, Decode("Zm9vYmFy", 0).result);  // 0: no limit
}

std::string DecryptToText(const std::string& value, size_t outputSize = 1024, int* length = nullptr) {
  CAesCipher cipher;
  std::vector<char> output(outputSize, 'x');
  const int n = DecryptDeviceType(cipher, value.c_str(), output.data(), output.size(), DEVICE_TYPE_KEY);
  if (length) *length = n;
  return std::string(output.data(), output.size());
}

TEST(DecryptDeviceType, EncodedValuesRoundTrip) {
  for (const char* type : {"1", "2", "0", "-5", "123456789012345678901234567890", "7 extra"}) {
    SCOPED_TRACE(type);
    int length = -1;
    const std::string output = DecryptToText(EncodeDeviceType(type), 1024, &length);
    EXPECT_EQ(static_cast<int>(std::strlen(type)), length);
    EXPECT_EQ(type, std::string(output.c_str()));
    EXPECT_EQ(std::string(1024 - length, '\0'), output.substr(length));  // the rest is zeroed
  }
}

TEST(DecryptDeviceType, ValuesKeptOnServiceSticksStayReadable) {
  // Fixed by the key and counter block (cross-checked with OpenSSL's aes-128-ctr): a change to
  // either breaks every stick in the field.
  EXPECT_EQ("h5LSURR0SAe6v6AmeWmqPw==", EncodeDeviceType("1"));
  EXPECT_EQ("hJLSURR0SAe6v6AmeWmqPw==", EncodeDeviceType("2"));
  EXPECT_EQ("2", std::string(DecryptToText("hJLSURR0SAe6v6AmeWmqPw==").c_str()));
  EXPECT_EQ("2", std::string(DecryptToText("+ hJLSURR0SAe6v6AmeWmqPw==").c_str()));
}

TEST(DecryptDeviceType, OnlyTheDecodedBytesAreDeciphered) {
  const std::string full = EncodeDeviceType("12345678");
  // Eight characters decode to six bytes: the text ends there, though a whole block of key
  // stream would reveal "78" from the zero-filled rest of the buffer.
  int length = -1;
  const std::string output = DecryptToText(full.substr(0, 8), 1024, &length);
  EXPECT_EQ(6, length);
  EXPECT_EQ(std::string("123456") + std::string(1018, '\0'), output);
  // A bad character: what decoded before it is used.
  std::string broken = full;
  broken[5] = '*';
  EXPECT_EQ("123", std::string(DecryptToText(broken).c_str()));
}

TEST(DecryptDeviceType, EmptyShortAndOversizedValues) {
  int length = -1;
  EXPECT_EQ(std::string(16, '\0'), DecryptToText("", 16, &length));
  EXPECT_EQ(0, length);
  EXPECT_EQ(std::string(16, '\0'), DecryptToText("hJL", 16, &length));
  EXPECT_EQ(0, length);
  // Longer than the output: the output is not touched.
  EXPECT_EQ(std::string(16, 'x'), DecryptToText(EncodeDeviceType("2") + "AAAA", 16 + 11, &length).substr(0, 16));
  EXPECT_EQ(0, length);
  const std::string value(1025, 'A');
  EXPECT_EQ(std::string(1024, 'x'), DecryptToText(value, 1024, &length));
  EXPECT_EQ(0, length);
  // Exactly as long as the output is allowed.
  EXPECT_EQ("2", std::string(DecryptToText(EncodeDeviceType("2"), 24).c_str()));
}

TEST(ParseDeviceType, LeadingDecimalNumber) {
  EXPECT_EQ(2, ParseDeviceType(L"2"));
  EXPECT_EQ(1, ParseDeviceType(L"1"));
  EXPECT_EQ(17, ParseDeviceType(L"  \t17abc"));
  EXPECT_EQ(-7, ParseDeviceType(L"-7"));
  EXPECT_EQ(3, ParseDeviceType(L"+3"));
  EXPECT_EQ(0, ParseDeviceType(L""));
  EXPECT_EQ(0, ParseDeviceType(L"abc"));
  EXPECT_EQ(0, ParseDeviceType(L"- 5"));
  EXPECT_EQ(0, ParseDeviceType(L"\x4E2D" L"2"));
  EXPECT_EQ(INT_MAX, ParseDeviceType(L"2147483647"));
  EXPECT_EQ(INT_MIN, ParseDeviceType(L"-2147483648"));
  EXPECT_EQ(INT_MAX, ParseDeviceType(L"99999999999999999999999"));
  EXPECT_EQ(INT_MIN, ParseDeviceType(L"-99999999999999999999999"));
}

}  // namespace
