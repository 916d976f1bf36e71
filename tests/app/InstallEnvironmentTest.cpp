// The install environment against the real registry, INI files, disks and
// process list of the Wine prefix.
#include "app/InstallEnvironment.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "utils/CreateDirectories.h"
#include "utils/ProductRegistry.h"

using App::CInstallEnvironment;

namespace {

std::wstring TempFolder(const wchar_t* name) {
  wchar_t tmp[MAX_PATH];
  GetTempPathW(MAX_PATH, tmp);
  std::wstring f = std::wstring(tmp) + L"qv_env_" + name;
  Utils::CreateDirectories(f);
  return f;
}

void Touch(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  CloseHandle(h);
}

std::wstring Ini(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
  wchar_t buf[512] = {};
  GetPrivateProfileStringW(section, key, L"", buf, 512, file.c_str());
  return buf;
}

class InstallEnvironmentTest : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteKeyW(HKEY_CURRENT_USER, Utils::kProductRegistryKey); }
  void TearDown() override { RegDeleteKeyW(HKEY_CURRENT_USER, Utils::kProductRegistryKey); }
};

}  // namespace

TEST_F(InstallEnvironmentTest, ExistingInstallAndDefaultFolder) {
  CInstallEnvironment env;
  env.ReadExistingInstall();
  EXPECT_FALSE(env.ExistingInstallFound());
  std::wstring fresh = env.DefaultInstallFolder();
  EXPECT_EQ(fresh.substr(fresh.size() - 8), L"\\Quelvox");

  // InstallPath alone: the uninstaller is guessed; missing, so the default stays fresh.
  std::wstring folder = TempFolder(L"existing");
  ASSERT_TRUE(Utils::WriteRegistryString(L"InstallPath", folder));
  env.ReadExistingInstall();
  EXPECT_TRUE(env.ExistingInstallFound());
  EXPECT_EQ(env.oldUninstaller, folder + L"\\uninst.ep");
  EXPECT_EQ(env.DefaultInstallFolder(), fresh);
  // With the uninstaller present the existing folder is proposed.
  Touch(folder + L"\\uninst.ep");
  EXPECT_EQ(env.DefaultInstallFolder(), folder);
  EXPECT_TRUE(env.IsDefaultFolder(folder + L"\\"));
  EXPECT_EQ(env.CustomInstallFolder(folder), folder);
  EXPECT_EQ(env.CustomInstallFolder(L"D:\\My Apps"), L"D:\\My Apps\\Quelvox");
  // UnInstallEp wins over the guess.
  ASSERT_TRUE(Utils::WriteRegistryString(L"UnInstallEp", L"E:\\elsewhere\\u.exe"));
  env.ReadExistingInstall();
  EXPECT_EQ(env.oldUninstaller, L"E:\\elsewhere\\u.exe");
}

TEST_F(InstallEnvironmentTest, SameFolderAndOverride) {
  EXPECT_TRUE(CInstallEnvironment::IsSameFolder(L"C:\\a\\b", L"C:\\a\\b\\"));
  EXPECT_FALSE(CInstallEnvironment::IsSameFolder(L"C:\\a", L"C:\\a\\b"));
  EXPECT_FALSE(CInstallEnvironment::IsSameFolder(L"C:\\a", L"D:\\a"));
  EXPECT_TRUE(CInstallEnvironment::IsSameFolder(L"C:\\a\\b\\", L"c:\\A\\B"));
  EXPECT_TRUE(CInstallEnvironment::IsSameFolder(L"C:\\", L"C:\\"));
  EXPECT_FALSE(CInstallEnvironment::IsSameFolder(L"", L"C:\\a"));

  std::wstring folder = TempFolder(L"override");
  CInstallEnvironment env;
  env.existingFolder = folder;
  std::wstring ini = folder + L"\\set.ini";
  DeleteFileW(ini.c_str());
  EXPECT_FALSE(env.KeepOldVersion(folder));  // no set.ini: "true"
  WritePrivateProfileStringW(L"Uninstall", L"IsOverride", L"false", ini.c_str());
  EXPECT_TRUE(env.KeepOldVersion(folder));
  EXPECT_FALSE(env.KeepOldVersion(TempFolder(L"other")));
  WritePrivateProfileStringW(L"Uninstall", L"IsOverride", L"False", ini.c_str());
  EXPECT_FALSE(env.KeepOldVersion(folder));
}

TEST_F(InstallEnvironmentTest, ProcessesAndSpace) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring name = wcsrchr(self, L'\\') + 1;
  EXPECT_EQ(CInstallEnvironment::FindRunningProcess(name), GetCurrentProcessId());
  std::wstring upper = name;
  for (auto& ch : upper) ch = towupper(ch);
  EXPECT_EQ(CInstallEnvironment::FindRunningProcess(upper), 0u);  // exact file name only
  EXPECT_EQ(CInstallEnvironment::FindRunningProcess(L"Quelvox_no_such.exe"), 0u);
  EXPECT_TRUE(CInstallEnvironment::HasRoom(L"C:\\Program Files\\Quelvox"));
  EXPECT_FALSE(CInstallEnvironment::HasRoom(L"B:\\nowhere"));  // a failed query is no room
}

TEST_F(InstallEnvironmentTest, RecordAndSettingsFiles) {
  std::wstring folder = TempFolder(L"record");
  CInstallEnvironment env;
  env.installFolder = folder + L"\\";
  env.WriteInstallRecord();
  DWORD type = 0;
  std::wstring value;
  ASSERT_TRUE(Utils::ReadRegistryString(L"InstallPath", &type, &value));
  EXPECT_EQ(value, folder);  // no trailing backslash
  EXPECT_FALSE(Utils::ReadRegistryString(L"UnInstallEp", &type, &value));  // no uninst.ep yet
  Touch(folder + L"\\uninst.ep");
  env.WriteInstallRecord();
  ASSERT_TRUE(Utils::ReadRegistryString(L"UnInstallEp", &type, &value));
  EXPECT_EQ(value, folder + L"\\uninst.ep");

  env.installFolder = folder;
  env.WriteSettingsFiles();
  std::wstring ini = folder + L"\\set.ini";
  EXPECT_EQ(Ini(ini, L"Install", L"AppName"), L"Quelvox");
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  EXPECT_EQ(Ini(ini, L"Install", L"APPStore"), std::wstring(wcsrchr(self, L'\\') + 1));
  std::wstring first = Ini(ini, L"Install", L"DeviceID");
  EXPECT_EQ(first.size(), 32u);
  std::wstring tele = Ini(ini, L"Install", L"OVTelemetryIni");
  EXPECT_EQ(tele, CInstallEnvironment::TelemetryFolder() + L"\\OVTelemetry.ini");
  EXPECT_EQ(Ini(tele, L"Init", L"UpdateTime").size(), 19u);
  env.WriteSettingsFiles();
  EXPECT_NE(Ini(ini, L"Install", L"DeviceID"), first);  // a new device id every time
}
