#pragma once
// Enciphering side of the service clients' device type, for the people who prepare service
// sticks and for the tests: the program itself only deciphers.
#include <string>

// The DeviceType value for a device-type text: the text, zero-filled to whole 16-byte blocks,
// enciphered with the program's key and counter block, as Base64 text with "=" padding.
std::string EncodeDeviceType(const std::string& deviceType);

// The whole DeviceInfo.ini for an encoded value.
std::string DeviceInfoIniText(const std::string& encodedValue);
