#include "tools/DeviceInfoEncoder.h"

#include "host/AesCipher.h"
#include "host/DeviceTypeDecoding.h"

#include <array>
#include <vector>

namespace {

std::string Base64Encode(const std::vector<uint8_t>& bytes) {
  static const char ALPHABET[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    const size_t left = bytes.size() - i;
    const uint32_t group = (uint32_t{bytes[i]} << 16) | (left > 1 ? uint32_t{bytes[i + 1]} << 8 : 0) |
                           (left > 2 ? uint32_t{bytes[i + 2]} : 0);
    text += ALPHABET[(group >> 18) & 63];
    text += ALPHABET[(group >> 12) & 63];
    text += left > 1 ? ALPHABET[(group >> 6) & 63] : '=';
    text += left > 2 ? ALPHABET[group & 63] : '=';
  }
  return text;
}

}  // namespace

std::string EncodeDeviceType(const std::string& deviceType) {
  const size_t block = CAesCipher::BLOCK_SIZE;
  std::vector<uint8_t> bytes((deviceType.size() / block + 1) * block, 0);
  std::copy(deviceType.begin(), deviceType.end(), bytes.begin());
  CAesCipher cipher;
  cipher.SetKey(reinterpret_cast<const uint8_t*>(DEVICE_TYPE_KEY), DEVICE_TYPE_KEY_LENGTH);
  const std::array<uint8_t, 16> counter = DeviceTypeCounterBlock();
  cipher.SetCounter(counter.data());
  // Counter mode is its own inverse: deciphering the plain text enciphers it.
  cipher.DecryptBlocks(bytes.data(), bytes.data(), bytes.size(), AES_MODE_CTR);
  return Base64Encode(bytes);
}

std::string DeviceInfoIniText(const std::string& encodedValue) {
  return "[Type]\r\nDeviceType=" + encodedValue + "\r\n";
}
