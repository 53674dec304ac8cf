#include "host/DeviceTypeDecoding.h"

#include "host/AesCipher.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

const char DEVICE_TYPE_KEY[] = "mrqlotvx2047bnzkaw";

std::array<uint8_t, 16> DeviceTypeCounterBlock() {
  return {0x71, 0x2C, 0x9E, 0x04, 0xD3, 0x58, 0xA6, 0x1F,
          0xE0, 0x37, 0x8B, 0x62, 0xC5, 0x19, 0x4D, 0xFA};
}

namespace {

int Base64Value(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return c - 'a' + 26;
  if (c >= '0' && c <= '9') return c - '0' + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

// The decoder proper; written counts the bytes stored even when the result is -1, so that a
// caller can use what was decoded before a bad character.
int DecodeGroups(const char* text, uint8_t* output, int limit, int& written) {
  written = 0;
  if (!text || !output) return -1;
  const char* p = text;
  if (p[0] == '+' && p[1] == ' ') p += 2;
  for (;;) {
    if (*p == '\0' || *p == '\r') return written;
    int values[4];
    // Characters are examined one at a time, so a zero byte inside a group stops the reading
    // there (as a bad character) and nothing past the terminator is touched.
    for (int k = 0; k < 4; ++k) {
      if (k >= 2 && p[k] == '=') {
        values[k] = -2;
        continue;
      }
      values[k] = Base64Value(p[k]);
      if (values[k] < 0) return -1;
    }
    uint8_t bytes[3];
    int count = 1;
    bytes[0] = static_cast<uint8_t>((values[0] << 2) | (values[1] >> 4));
    if (values[2] != -2) {
      bytes[1] = static_cast<uint8_t>(((values[1] & 0x0F) << 4) | (values[2] >> 2));
      count = 2;
      if (values[3] != -2) {
        bytes[2] = static_cast<uint8_t>(((values[2] & 0x03) << 6) | values[3]);
        count = 3;
      }
    }
    for (int i = 0; i < count; ++i) {
      if (limit != 0 && written >= limit) return -1;
      output[written++] = bytes[i];
    }
    if (values[3] == -2) return written;
    p += 4;
  }
}

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

}  // namespace

int Base64Decode(const char* text, uint8_t* output, int limit) {
  int written = 0;
  return DecodeGroups(text, output, limit, written);
}

int DecryptDeviceType(CAesCipher& cipher, const char* text, char* output, size_t outputSize,
                      const char* key) {
  if (!text || !output || !key) return 0;
  cipher.SetKey(reinterpret_cast<const uint8_t*>(key), DEVICE_TYPE_KEY_LENGTH);
  const std::array<uint8_t, 16> counter = DeviceTypeCounterBlock();
  cipher.SetCounter(counter.data());

  const size_t length = std::strlen(text);
  if (outputSize < length) return 0;
  std::memset(output, 0, outputSize);
  // Four characters give at most three bytes; a value too long for an int limit is not one a
  // service client writes, and decoding nothing leaves the output empty.
  const size_t most = length / 4 * 3;
  if (most == 0 || most > static_cast<size_t>(INT_MAX)) return 0;

  // Counter mode needs no padding: whole blocks are deciphered in a zero-filled buffer, but only
  // the bytes that decoding produced reach the output.
  std::vector<uint8_t> buffer((most + CAesCipher::BLOCK_SIZE - 1) / CAesCipher::BLOCK_SIZE *
                              CAesCipher::BLOCK_SIZE);
  int decoded = 0;
  DecodeGroups(text, buffer.data(), static_cast<int>(most), decoded);
  if (decoded <= 0) return 0;
  cipher.DecryptBlocks(buffer.data(), buffer.data(), buffer.size(), AES_MODE_CTR);
  std::memcpy(output, buffer.data(), static_cast<size_t>(decoded));
  return static_cast<int>(std::find(output, output + decoded, '\0') - output);
}

int ParseDeviceType(const std::wstring& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
    negative = text[i] == L'-';
    ++i;
  }
  // Accumulates at most one past INT_MAX, which is enough to clamp either way.
  const long long ceiling = static_cast<long long>(INT_MAX) + 1;
  long long value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
    value = std::min(ceiling, value * 10 + (text[i] - L'0'));
  }
  if (negative) return static_cast<int>(-value);
  return static_cast<int>(std::min(value, static_cast<long long>(INT_MAX)));
}
