#pragma once
// Decoding of the device type that a service client keeps in its DeviceInfo.ini: Base64 text
// of the decimal number enciphered with AES-128 in little-endian counter mode. The program only
// ever deciphers. No system call here: it builds and is tested on every platform.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

class CAesCipher;

// Only its first 16 bytes are the key.
extern const char DEVICE_TYPE_KEY[];
constexpr size_t DEVICE_TYPE_KEY_LENGTH = 16;

// The initial counter block, built afresh before each decoding.
std::array<uint8_t, 16> DeviceTypeCounterBlock();

// RFC 4648 standard alphabet. A leading "+ " is skipped; decoding ends with the bytes written
// so far at a zero byte or carriage return starting a group, or after a group ending in "=".
// Any other character outside the alphabet ends it with -1, as does a byte beyond limit
// (0: no limit). Returns the number of bytes written.
int Base64Decode(const char* text, uint8_t* output, int limit);

// Deciphers the zero-terminated Base64 value into output, which it zeroes first, and returns
// the length of the text before its first zero byte. Nothing is written when outputSize is
// smaller than the value's length. key must hold DEVICE_TYPE_KEY_LENGTH bytes.
int DecryptDeviceType(CAesCipher& cipher, const char* text, char* output, size_t outputSize,
                      const char* key);

// The decimal number at the start of the deciphered text: leading blanks and one sign allowed,
// 0 when there is none; a number beyond the range of int is clamped to it.
int ParseDeviceType(const std::wstring& text);
