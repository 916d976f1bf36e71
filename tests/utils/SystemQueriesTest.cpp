#include <gtest/gtest.h>

#include <windows.h>
#include <objbase.h>

#include <thread>

#include "ChildProgram.h"
#include "support/DebugChannel.h"
#include "utils/SystemQueries.h"

TEST(SystemQueries, VersionAndArchitectureOfTheWinePrefix) {
  std::wstring family = L"x", version = L"x";
  Utils::GetSystemVersion(family, version);
  EXPECT_EQ(family, L"Windows");
  EXPECT_EQ(version, L"7") << "the win32 prefix reports Windows 6.1";
  EXPECT_FALSE(Utils::IsWow64());
}

TEST(SystemQueries, GuidsAreFreshHexStrings) {
  std::wstring a = Utils::CreateGuidString(), b = Utils::CreateGuidString();
  ASSERT_EQ(a.size(), 32u);
  EXPECT_NE(a, b);
  EXPECT_EQ(a.find_first_not_of(L"0123456789ABCDEFabcdef"), std::wstring::npos);
}

TEST(SystemQueries, AdministratorAndConsoleUser) {
  EXPECT_TRUE(Utils::IsTokenAdmin()) << "Wine runs programs elevated";
  std::wstring user;
  ASSERT_TRUE(Utils::GetSessionUserName(user));
  EXPECT_FALSE(user.empty());
  EXPECT_EQ(Utils::GetSessionUserName(), user);
  // Wine reports privilege 0 for the current user.
  EXPECT_FALSE(Utils::IsUserAdmin(user));
  EXPECT_FALSE(Utils::IsUserAdmin(L""));
  EXPECT_FALSE(Utils::IsUserAdmin(L"no_such_account_qv"));
}

TEST(SystemQueries, FreeSpaceOfARealDiskAndTheFailureLine) {
  Utils::HardDiskManager disk;
  EXPECT_EQ(disk.FreeBytesForUser(), 0u);
  ASSERT_TRUE(disk.CheckFreeSpace(L"C:\\"));
  EXPECT_GT(disk.TotalBytes(), 0u);
  EXPECT_LE(disk.FreeBytesForUser(), disk.TotalBytes());
  EXPECT_LE(disk.TotalFreeBytes(), disk.TotalBytes());

  QvTest::DebugChannel channel;
  uint64_t before = disk.TotalBytes();
  EXPECT_FALSE(disk.CheckFreeSpace(L"C:\\no\\such\\folder\\qv"));
  EXPECT_EQ(disk.TotalBytes(), before);
  ASSERT_TRUE(channel.WaitFor(L"HardDiskManager::CheckFreeSpace FAIL code=", 5000));
  std::wstring line = channel.Matching(L"CheckFreeSpace FAIL")[0];
  EXPECT_NE(line.find(L"(Utils::HardDiskManager::CheckFreeSpace)<"), std::wstring::npos);
  EXPECT_EQ(line.substr(line.size() - 2), L"\r\n");
}

TEST(SystemQueries, RegistryRoundTripWithoutStoredTerminator) {
  std::wstring name = L"QvTestValue" + std::to_wstring(GetCurrentProcessId());
  const std::wstring text = L"C:\\Program Files\\Quelvox \u58f0";
  ASSERT_TRUE(Utils::WriteRegistryString(name, text));

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\OrvanSoft\\Quelvox", 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  DWORD type = 0, size = 0;
  ASSERT_EQ(RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  // The writer hands over the characters without a terminator; the system
  // adds one itself when the memory after the data holds a null.
  EXPECT_TRUE(size == text.size() * 2 || size == text.size() * 2 + 2) << size;

  DWORD readType = 0;
  std::wstring read;
  ASSERT_TRUE(Utils::ReadRegistryString(name, &readType, &read));
  EXPECT_EQ(read, text);
  EXPECT_EQ(readType, static_cast<DWORD>(REG_SZ));

  // Data really stored without a terminator still reads back whole.
  const wchar_t unterminated[] = L"abcX";
  ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), 6), ERROR_SUCCESS);
  ASSERT_EQ(RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 6u);
  ASSERT_TRUE(Utils::ReadRegistryString(name, &readType, &read));
  EXPECT_EQ(read, L"abc");

  ASSERT_TRUE(Utils::WriteRegistryString(name, L""));
  ASSERT_TRUE(Utils::ReadRegistryString(name, &readType, &read));
  EXPECT_EQ(read, L"");

  RegDeleteValueW(key, name.c_str());
  RegCloseKey(key);
  read = L"kept";
  EXPECT_FALSE(Utils::ReadRegistryString(name, &readType, &read));
  EXPECT_EQ(read, L"kept");
}

TEST(SystemQueries, TempWorkDirAndCreateDirectories) {
  std::wstring work = Utils::GetTempWorkDir();
  const std::wstring leaf = L"~OrvanTemp.92482B06FB471E17\\";
  ASSERT_GT(work.size(), leaf.size());
  EXPECT_EQ(work.substr(work.size() - leaf.size()), leaf);
  EXPECT_NE(GetFileAttributesW(work.c_str()), INVALID_FILE_ATTRIBUTES);

  QvTest::TempFolder base(L"qvdirs");
  std::wstring deep = base.path() + L"\\one\\two\\three";
  ASSERT_TRUE(Utils::CreateDirectories(deep));
  for (const wchar_t* level : {L"\\one", L"\\one\\two", L"\\one\\two\\three"}) {
    DWORD a = GetFileAttributesW((base.path() + level).c_str());
    EXPECT_TRUE(a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY)) << level;
  }
  EXPECT_TRUE(Utils::CreateDirectories(deep + L"\\")) << "an existing chain is fine";

  std::wstring tooLong = base.path() + L"\\first\\";
  tooLong += std::wstring(261 - tooLong.size(), L'x');
  ASSERT_EQ(tooLong.size(), 261u);
  EXPECT_FALSE(Utils::CreateDirectories(tooLong));
  EXPECT_EQ(GetFileAttributesW((base.path() + L"\\first").c_str()), INVALID_FILE_ATTRIBUTES)
      << "nothing created for a path that is too long";

  // A file in the way fails the chain.
  std::wstring file = base.path() + L"\\file";
  CloseHandle(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  EXPECT_FALSE(Utils::CreateDirectories(file + L"\\below"));
}

TEST(SystemQueries, NetworkCheckWithAndWithoutCom) {
  uint32_t withoutCom = 1;
  std::thread([&] { withoutCom = Utils::CheckNetwork(); }).join();
  EXPECT_EQ(withoutCom, 0u) << "no COM on the thread: treated as connected";

  QvTest::DebugChannel channel;
  ASSERT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_OK);
  uint32_t result = Utils::CheckNetwork();
  CoUninitialize();
  uint32_t status = Utils::NetworkStatusOf(result), flags = result & 0xFFFF;
  EXPECT_LE(status, 2u);
  if (flags == 0) {
    EXPECT_EQ(status, 1u);
    EXPECT_TRUE(channel.WaitFor(L"GetConnectivity 0", 5000));
  } else if (status == 2) {
    EXPECT_TRUE(channel.WaitFor(L"get_IsConnectedToInternet:0", 5000));
  }
}

TEST(SystemQueries, StopwatchMeasuresRealTime) {
  Utils::Stopwatch watch;
  EXPECT_EQ(watch.Elapsed(), 0.0f);
  watch.Start();
  Sleep(250);
  float elapsed = watch.Elapsed();
  EXPECT_GE(elapsed, 0.2f);
  EXPECT_LT(elapsed, 10.0f);
}
