#include "host/AesCipher.h"
#include "host/ServiceClientDetection.h"
#include "tools/DeviceInfoEncoder.h"

#include <windows.h>

#include <io.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Letters the fake USB question answers yes for, and every letter it was asked about.
std::wstring g_usbLetters;
std::wstring g_askedLetters;

bool FakeIsUsbVolume(wchar_t letter) {
  g_askedLetters += letter;
  return g_usbLetters.find(letter) != std::wstring::npos;
}

std::wstring Environment(const wchar_t* name) {
  wchar_t value[1024] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, 1024);
  return length > 0 && length < 1024 ? std::wstring(value, length) : std::wstring();
}

// Wine starts a program named by an absolute Unix path as a Unix process, without a handle
// to wait on: the caller waits for the program's effect instead.
bool StartUnix(std::wstring command) {
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return false;
  }
  if (process.hThread) CloseHandle(process.hThread);
  if (process.hProcess) CloseHandle(process.hProcess);
  return true;
}

bool WaitForAccess(const std::wstring& path, bool accessible) {
  for (int i = 0; i < 500; ++i) {
    if ((_waccess(path.c_str(), 0) == 0) == accessible) return true;
    Sleep(10);
  }
  return false;
}

// A drive letter of the Wine prefix mapped to a fresh folder under C:\. Wine resolves file
// names through the prefix's dosdevices links, while the drive list comes from the mount
// manager, which learns of the letter through DefineDosDeviceW: the test needs both.
class CMappedDrive {
 public:
  CMappedDrive(wchar_t letter, const fs::path& folder) : m_letter(letter), m_folder(folder) {
    fs::create_directories(m_folder);
    const std::wstring prefix = Environment(L"WINEPREFIX");
    const std::wstring unixFolder = prefix + L"/drive_c/" + m_folder.relative_path().generic_wstring();
    m_link = prefix + L"/dosdevices/" + static_cast<wchar_t>(towlower(letter)) + L":";
    m_ready = !prefix.empty() && WaitForAccess(Root(), false) &&
              StartUnix(L"/bin/ln -sfn \"" + unixFolder + L"\" \"" + m_link + L"\"") && WaitForAccess(Root(), true) &&
              DefineDosDeviceW(0, Device().c_str(), m_folder.c_str());
  }
  ~CMappedDrive() {
    DefineDosDeviceW(DDD_REMOVE_DEFINITION, Device().c_str(), nullptr);
    if (StartUnix(L"/bin/rm -f \"" + m_link + L"\"")) WaitForAccess(Root(), false);
    std::error_code ignored;
    fs::remove_all(m_folder, ignored);
  }
  CMappedDrive(const CMappedDrive&) = delete;
  CMappedDrive& operator=(const CMappedDrive&) = delete;

  bool Ready() const { return m_ready; }
  std::wstring Root() const { return std::wstring(1, m_letter) + L":\\"; }

  // Creates a file, with its folders, below the drive's root.
  void Put(const std::wstring& relative, const std::string& content = "MZ") const {
    const fs::path path = fs::path(Root()) / relative;
    fs::create_directories(path.parent_path());
    FILE* file = _wfopen(path.c_str(), L"wb");
    ASSERT_NE(nullptr, file) << path.string();
    fwrite(content.data(), 1, content.size(), file);
    fclose(file);
  }
  void PutAmbrel(const std::string& deviceType) const {
    Put(L"AM\\Ambrel\\AmbrelClient.exe");
    Put(L"AM\\Ambrel\\DeviceInfo.ini", DeviceInfoIniText(EncodeDeviceType(deviceType)));
  }
  void PutCorvin(const std::string& deviceType) const {
    Put(L"Corvin\\CorvinKey\\CorvinClient.exe");
    Put(L"Corvin\\CorvinKey\\DeviceInfo.ini", DeviceInfoIniText(EncodeDeviceType(deviceType)));
  }

 private:
  std::wstring Device() const { return std::wstring(1, m_letter) + L":"; }

  wchar_t m_letter;
  fs::path m_folder;
  std::wstring m_link;
  bool m_ready = false;
};

class ServiceClientDetection : public ::testing::Test {
 protected:
  void SetUp() override {
    g_usbLetters.clear();
    g_askedLetters.clear();
    m_base = fs::path(L"C:\\service_client_test_" + std::to_wstring(GetCurrentProcessId()));
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(m_base, ignored);
  }
  fs::path Folder(wchar_t letter) const { return m_base / std::wstring(1, letter); }
  int Detect() { return DetectServiceClient(m_cipher, FakeIsUsbVolume); }

  fs::path m_base;
  CAesCipher m_cipher;
};

TEST_F(ServiceClientDetection, NoUsbDriveGivesTypeZero) {
  CMappedDrive fixed(L'P', Folder(L'P'));
  ASSERT_TRUE(fixed.Ready());
  fixed.PutAmbrel("2");
  std::vector<std::wstring> roots;
  EXPECT_FALSE(GetUsbDriveRoots(roots, FakeIsUsbVolume));
  EXPECT_TRUE(roots.empty());
  EXPECT_EQ(0, Detect());
}

TEST_F(ServiceClientDetection, RootsFollowTheSystemsDriveOrder) {
  CMappedDrive q(L'Q', Folder(L'Q'));
  CMappedDrive p(L'P', Folder(L'P'));
  ASSERT_TRUE(p.Ready() && q.Ready());
  g_usbLetters = L"QP";
  std::vector<std::wstring> roots;
  EXPECT_TRUE(GetUsbDriveRoots(roots, FakeIsUsbVolume));
  EXPECT_EQ((std::vector<std::wstring>{L"P:\\", L"Q:\\"}), roots);
  // Every drive is asked about, the fixed ones included.
  EXPECT_NE(std::wstring::npos, g_askedLetters.find(L'C'));
  EXPECT_LT(g_askedLetters.find(L'P'), g_askedLetters.find(L'Q'));
}

TEST_F(ServiceClientDetection, AmbrelProgramWithoutDeviceFileMovesOnToTheNextStick) {
  CMappedDrive first(L'P', Folder(L'P'));
  CMappedDrive second(L'Q', Folder(L'Q'));
  ASSERT_TRUE(first.Ready() && second.Ready());
  first.Put(L"AM\\Ambrel\\AmbrelClient.exe");
  first.PutCorvin("1");  // not looked at: the Ambrel program decides for this drive
  second.PutCorvin("2");
  g_usbLetters = L"PQ";
  EXPECT_EQ(DEVICE_TYPE_CORVIN, Detect());
}

TEST_F(ServiceClientDetection, BothClientsOnOneStickReadOnlyAmbrel) {
  CMappedDrive stick(L'P', Folder(L'P'));
  ASSERT_TRUE(stick.Ready());
  stick.PutAmbrel("1");
  stick.PutCorvin("2");
  g_usbLetters = L"P";
  EXPECT_EQ(DEVICE_TYPE_AMBREL, Detect());
}

TEST_F(ServiceClientDetection, TheNumberNotTheFolderDecides) {
  CMappedDrive stick(L'P', Folder(L'P'));
  ASSERT_TRUE(stick.Ready());
  stick.PutAmbrel("2");
  g_usbLetters = L"P";
  EXPECT_EQ(DEVICE_TYPE_CORVIN, Detect());
  stick.PutAmbrel("37");  // any number is kept as it is
  EXPECT_EQ(37, Detect());
}

TEST_F(ServiceClientDetection, UnreadableValuesGiveTypeZeroAndEndTheSearch) {
  CMappedDrive first(L'P', Folder(L'P'));
  CMappedDrive second(L'Q', Folder(L'Q'));
  ASSERT_TRUE(first.Ready() && second.Ready());
  first.Put(L"AM\\Ambrel\\AmbrelClient.exe");
  second.PutCorvin("2");
  g_usbLetters = L"PQ";
  const std::string cases[] = {
      "[Type]\r\nDeviceType=\r\n",                                  // empty
      "[Type]\r\nOther=1\r\n",                                      // missing key
      "[Other]\r\nDeviceType=" + EncodeDeviceType("1") + "\r\n",    // missing section
      DeviceInfoIniText(EncodeDeviceType("abc")),                   // not a number
      DeviceInfoIniText("!!not base64!!"),                          // not Base64
      DeviceInfoIniText(std::string(600, 'A')),                     // longer than an INI read
      "",                                                           // empty file
  };
  for (const std::string& content : cases) {
    SCOPED_TRACE(content);
    first.Put(L"AM\\Ambrel\\DeviceInfo.ini", content);
    EXPECT_EQ(0, Detect());
  }
}

TEST_F(ServiceClientDetection, FixedDisksAreNeverSearched) {
  CMappedDrive fixed(L'P', Folder(L'P'));
  CMappedDrive stick(L'Q', Folder(L'Q'));
  ASSERT_TRUE(fixed.Ready() && stick.Ready());
  fixed.PutAmbrel("2");
  stick.PutCorvin("1");
  g_usbLetters = L"Q";
  EXPECT_EQ(DEVICE_TYPE_AMBREL, Detect());
  g_usbLetters.clear();
  EXPECT_EQ(0, Detect());
  // The real query: drives mapped to folders are no USB volumes.
  EXPECT_EQ(0, DetectServiceClient(m_cipher));
}

TEST(IsUsbVolume, FixedDriveAndMissingLetterAreNotUsb) {
  EXPECT_FALSE(IsUsbVolume(L'C'));
  const DWORD drives = GetLogicalDrives();
  wchar_t missing = 0;
  for (wchar_t letter = L'Y'; letter > L'D' && !missing; --letter) {
    if (!(drives & (1u << (letter - L'A')))) missing = letter;
  }
  ASSERT_NE(0, missing);
  EXPECT_FALSE(IsUsbVolume(missing));
}

TEST(ReadIniString, ReadsAValueOrLeavesTheOutputAlone) {
  const fs::path file = fs::temp_directory_path() / (L"read_ini_" + std::to_wstring(GetCurrentProcessId()) + L".ini");
  FILE* f = _wfopen(file.c_str(), L"wb");
  ASSERT_NE(nullptr, f);
  const std::string content = "[Type]\r\nDeviceType=abc=\r\nLong=" + std::string(300, 'z') + "\r\n";
  fwrite(content.data(), 1, content.size(), f);
  fclose(f);

  std::wstring value = L"before";
  EXPECT_TRUE(ReadIniString(L"Type", L"DeviceType", file.c_str(), value));
  EXPECT_EQ(L"abc=", value);
  EXPECT_TRUE(ReadIniString(L"Type", L"Long", file.c_str(), value));
  EXPECT_EQ(std::wstring(254, L'z'), value);
  value = L"before";
  EXPECT_FALSE(ReadIniString(L"Type", L"Missing", file.c_str(), value));
  EXPECT_FALSE(ReadIniString(L"Type", L"DeviceType", L"C:\\no\\such\\file.ini", value));
  EXPECT_EQ(L"before", value);
  fs::remove(file);
}

}  // namespace
