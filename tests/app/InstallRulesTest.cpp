#include "app/InstallRules.h"

#include <gtest/gtest.h>

TEST(InstallRules, FoldersAndUninstaller) {
  EXPECT_EQ(App::OldUninstallerFor(L"D:\\Apps\\Quelvox", L""), L"D:\\Apps\\Quelvox\\uninst.ep");
  EXPECT_EQ(App::OldUninstallerFor(L"D:\\Apps\\Quelvox", L"E:\\u.exe"), L"E:\\u.exe");
  EXPECT_EQ(App::OldUninstallerFor(L"", L""), L"");
  EXPECT_EQ(App::CustomFolderFor(L"D:\\My Apps", false, L"C:\\P\\Quelvox"), L"D:\\My Apps\\Quelvox");
  EXPECT_EQ(App::CustomFolderFor(L"D:\\My Apps\\", false, L"C:\\P\\Quelvox"), L"D:\\My Apps\\Quelvox");
  EXPECT_EQ(App::CustomFolderFor(L"C:\\P\\Quelvox\\", true, L"C:\\P\\Quelvox"), L"C:\\P\\Quelvox");
  EXPECT_EQ(App::WithoutTrailingBackslash(L"C:\\a\\\\"), L"C:\\a");
  EXPECT_EQ(App::WithoutTrailingBackslash(L"C:\\"), L"C:\\");
  EXPECT_EQ(App::WithoutLineEnd(L"C:\\P\\Quelvox\r"), L"C:\\P\\Quelvox");
  EXPECT_EQ(App::WithoutLineEnd(L"C:\\P\r\r\n"), L"C:\\P");
  EXPECT_EQ(App::WithoutLineEnd(L"a b "), L"a b ");
  EXPECT_EQ(App::DriveOf(L"C:\\Program Files\\Quelvox"), L"C:");
  EXPECT_EQ(App::DriveOf(L"\\\\server\\share"), L"");
}

TEST(InstallRules, OverrideAndSpaceAndUrl) {
  EXPECT_TRUE(App::KeepsOldVersion(true, L"false"));
  EXPECT_FALSE(App::KeepsOldVersion(true, L"False"));
  EXPECT_FALSE(App::KeepsOldVersion(true, L"true"));
  EXPECT_FALSE(App::KeepsOldVersion(false, L"false"));
  const uint64_t gib = 1073741824ull;
  EXPECT_TRUE(App::HasRoomForInstall(true, gib + gib / 2));
  EXPECT_TRUE(App::HasRoomForInstall(true, gib));
  EXPECT_FALSE(App::HasRoomForInstall(true, gib * 99 / 100));
  EXPECT_FALSE(App::HasRoomForInstall(false, gib * 100));
  EXPECT_FALSE(App::ShouldOpenStartUrl(L"http:"));
  EXPECT_TRUE(App::ShouldOpenStartUrl(L"http:/"));
  EXPECT_EQ(App::FormatUpdateTime(2026, 3, 4, 5, 6, 7), L"2026-03-04 05:06:07");
}
