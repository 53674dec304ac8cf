#pragma once
// Finds one of the maker's service clients on the machine's USB drives and reads the client's
// device type from its DeviceInfo.ini.
#include <string>
#include <vector>

class CAesCipher;

constexpr int DEVICE_TYPE_AMBREL = 1;
constexpr int DEVICE_TYPE_CORVIN = 2;

// Answers whether the drive with this letter sits on the USB bus; tests pass their own.
using UsbVolumeQuery = bool (*)(wchar_t letter);

// False for a drive that cannot be opened or queried.
bool IsUsbVolume(wchar_t letter);

// Appends the roots ("E:\") of the USB drives in the order the system lists the drives; true
// when the list is not empty.
bool GetUsbDriveRoots(std::vector<std::wstring>& roots, UsbVolumeQuery isUsbVolume = IsUsbVolume);

// Reads at most 254 characters (a 255-character buffer with its terminator); leaves output
// unchanged and answers false when the key is missing or empty.
bool ReadIniString(const wchar_t* section, const wchar_t* key, const wchar_t* file,
                   std::wstring& output);

// The device type of the first client found on a USB drive, 0 when there is none. An Ambrel
// program without its device file sends the search on to the next drive; a device file whose
// value is missing or not a number ends it with 0.
int DetectServiceClient(CAesCipher& cipher, UsbVolumeQuery isUsbVolume = IsUsbVolume);
