#include "host/ServiceClientDetection.h"

#include "base/ScopedHandle.h"
#include "base/TextConversion.h"
#include "host/DeviceTypeDecoding.h"

#include <windows.h>
#include <winioctl.h>

#include <io.h>

#include <cstddef>
#include <cstring>

namespace {

const wchar_t AMBREL_PROGRAM[] = L"AM\\Ambrel\\AmbrelClient.exe";
const wchar_t AMBREL_DEVICE_FILE[] = L"AM\\Ambrel\\DeviceInfo.ini";
const wchar_t CORVIN_PROGRAM[] = L"Corvin\\CorvinKey\\CorvinClient.exe";
const wchar_t CORVIN_DEVICE_FILE[] = L"Corvin\\CorvinKey\\DeviceInfo.ini";

constexpr size_t DEVICE_TEXT_SIZE = 1024;

bool FileExists(const std::wstring& path) { return _waccess(path.c_str(), 0) == 0; }

// A missing key leaves the value empty, which decodes to nothing and so to type 0.
int ReadDeviceType(CAesCipher& cipher, const std::wstring& deviceFile) {
  std::wstring value;
  ReadIniString(L"Type", L"DeviceType", deviceFile.c_str(), value);
  char text[DEVICE_TEXT_SIZE] = {};
  const int length = DecryptDeviceType(cipher, CodePageFromWide(value, CP_ACP).c_str(), text,
                                       sizeof text, DEVICE_TYPE_KEY);
  return ParseDeviceType(WideFromCodePage(std::string(text, static_cast<size_t>(length)), CP_ACP));
}

}  // namespace

bool IsUsbVolume(wchar_t letter) {
  wchar_t path[16];
  wsprintfW(path, L"\\\\?\\%c:", letter);
  const CScopedHandle volume(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!volume.IsValid()) return false;
  STORAGE_PROPERTY_QUERY query = {};
  query.PropertyId = StorageDeviceProperty;
  query.QueryType = PropertyStandardQuery;
  STORAGE_DEVICE_DESCRIPTOR descriptor = {};
  DWORD returned = 0;
  if (!DeviceIoControl(volume.Get(), IOCTL_STORAGE_QUERY_PROPERTY, &query, sizeof query,
                       &descriptor, sizeof descriptor, &returned, nullptr)) {
    return false;
  }
  // A short answer does not reach the bus type.
  if (returned < offsetof(STORAGE_DEVICE_DESCRIPTOR, BusType) + sizeof descriptor.BusType)
    return false;
  return descriptor.BusType == BusTypeUsb;
}

bool GetUsbDriveRoots(std::vector<std::wstring>& roots, UsbVolumeQuery isUsbVolume) {
  // One character short of the buffer, so the list always ends in zeros even when it is cut.
  wchar_t drives[1024] = {};
  const DWORD written = GetLogicalDriveStringsW(1023, drives);
  const size_t end = written < 1023 ? written : 1023;
  for (size_t p = 0; p < end && drives[p] != L'\0'; p += std::wcslen(drives + p) + 1) {
    if (isUsbVolume(drives[p])) roots.emplace_back(drives + p);
  }
  return !roots.empty();
}

bool ReadIniString(const wchar_t* section, const wchar_t* key, const wchar_t* file,
                   std::wstring& output) {
  wchar_t buffer[256] = {};
  const DWORD length = GetPrivateProfileStringW(section, key, L"", buffer, 255, file);
  if (length == 0) return false;
  output.assign(buffer, length);
  return true;
}

int DetectServiceClient(CAesCipher& cipher, UsbVolumeQuery isUsbVolume) {
  std::vector<std::wstring> roots;
  if (!GetUsbDriveRoots(roots, isUsbVolume)) return 0;
  for (const std::wstring& root : roots) {
    if (FileExists(root + AMBREL_PROGRAM)) {
      // The Corvin client on the same drive is not looked at.
      if (FileExists(root + AMBREL_DEVICE_FILE))
        return ReadDeviceType(cipher, root + AMBREL_DEVICE_FILE);
      continue;
    }
    if (FileExists(root + CORVIN_PROGRAM) && FileExists(root + CORVIN_DEVICE_FILE)) {
      return ReadDeviceType(cipher, root + CORVIN_DEVICE_FILE);
    }
  }
  return 0;
}
