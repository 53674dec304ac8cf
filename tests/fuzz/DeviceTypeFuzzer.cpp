// libFuzzer target over everything the program does with a DeviceType value read from a USB
// stick: Base64 decoding, deciphering and reading the number. AddressSanitizer catches any
// access outside the exactly sized buffers; the checks below catch wrong lengths.
#include "host/AesCipher.h"
#include "host/DeviceTypeDecoding.h"
#include "tools/DeviceInfoEncoder.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void FuzzBase64(const std::string& text) {
  const size_t most = text.size() / 4 * 3;
  // Sized exactly, so that a byte past the limit is a heap overflow.
  std::vector<uint8_t> output(most == 0 ? 1 : most);
  const int limited = Base64Decode(text.c_str(), output.data(), static_cast<int>(most == 0 ? 1 : most));
  Check(limited >= -1 && limited <= static_cast<int>(most));
  const int unlimited = Base64Decode(text.c_str(), output.data(), 0);
  Check(unlimited >= -1 && unlimited <= static_cast<int>(most));
  Check(limited == unlimited || limited == -1);
}

void FuzzDecrypt(const std::string& text, size_t outputSize) {
  CAesCipher cipher;
  std::vector<char> output(outputSize == 0 ? 1 : outputSize, 'x');
  const int length = DecryptDeviceType(cipher, text.c_str(), output.data(), outputSize, DEVICE_TYPE_KEY);
  const size_t n = std::strlen(text.c_str());
  Check(length >= 0 && static_cast<size_t>(length) <= n / 4 * 3);
  if (outputSize < n) {
    Check(length == 0 && (outputSize == 0 || output[0] == 'x'));
    return;
  }
  // The text ends at the first zero byte, and nothing past what Base64 can give is written.
  const auto end = output.begin() + static_cast<std::ptrdiff_t>(outputSize);
  Check(std::find(output.begin(), end, '\0') - output.begin() == length);
  const auto decodable = output.begin() + static_cast<std::ptrdiff_t>(n / 4 * 3);
  Check(std::all_of(decodable, end, [](char c) { return c == '\0'; }));
  const std::wstring wide(output.data(), output.data() + length);
  ParseDeviceType(wide);
}

// A short decimal text survives enciphering and deciphering unchanged.
void FuzzRoundTrip(const std::string& text) {
  if (text.empty() || text.size() > 40 || text.find('\0') != std::string::npos) return;
  CAesCipher cipher;
  std::vector<char> output(1024);
  const std::string value = EncodeDeviceType(text);
  const int length = DecryptDeviceType(cipher, value.c_str(), output.data(), output.size(), DEVICE_TYPE_KEY);
  Check(length == static_cast<int>(text.size()) && text == output.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);  // zero-terminated by c_str
  FuzzBase64(text);
  FuzzDecrypt(text, 1024);
  FuzzDecrypt(text, size);
  FuzzDecrypt(text, size / 2);
  FuzzRoundTrip(text);
  return 0;
}
