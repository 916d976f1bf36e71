#include "install/RunnerCommandLine.h"

#include <gtest/gtest.h>

TEST(RunnerCommandLine, InstallLine) {
  struct {
    const wchar_t* folder;
    bool userAdmin, tokenAdmin, desktop, quickLaunch;
    const wchar_t* instCmd;
    const wchar_t* expected;
  } cases[] = {
      {L"D:\\Apps\\X", false, true, true, true, L"",
       L"\"D:\\Apps\\X\\__Package_Quelvox.exe\" /S -console=show -version=1.0.0 -adminact=false "
       L"-authorizationact=true -dsc=true -ssc=true -instdir=\"D:\\Apps\\X\" /D=D:\\Apps\\X"},
      {L"", true, false, false, true, L"",
       L"\"D:\\Apps\\X\\__Package_Quelvox.exe\" /S -console=show -version=1.0.0 -adminact=true "
       L"-authorizationact=false -dsc=false -ssc=true"},
      {L"", true, true, true, false, L"-channel=7 -x",
       L"\"D:\\Apps\\X\\__Package_Quelvox.exe\" /S -console=show -version=1.0.0 -adminact=true "
       L"-authorizationact=true -dsc=true -ssc=false -channel=7 -x"},
      {L"C:\\Program Files\\So navex", false, false, false, false, L"-k",
       L"\"D:\\Apps\\X\\__Package_Quelvox.exe\" /S -console=show -version=1.0.0 -adminact=false "
       L"-authorizationact=false -dsc=false -ssc=false -k -instdir=\"C:\\Program Files\\So navex\" "
       L"/D=C:\\Program Files\\So navex"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BuildInstallCommandLine(L"\"D:\\Apps\\X\\__Package_Quelvox.exe\"", c.folder, c.userAdmin,
                                      c.tokenAdmin, c.desktop, c.quickLaunch, c.instCmd),
              c.expected);
}

TEST(RunnerCommandLine, UninstallLineHasUnquotedPathsAndEndsWithTheFolder) {
  EXPECT_EQ(BuildUninstallCommandLine(L"C:\\Temp Dir\\Quelvox_un_asa.exe", true, false, L"D:\\Apps\\X"),
            L"C:\\Temp Dir\\Quelvox_un_asa.exe /S -adminact=true -authorizationact=false -console=show "
            L"_?=D:\\Apps\\X");
  EXPECT_EQ(BuildUninstallCommandLine(L"u.exe", false, true, L"D:\\A b"),
            L"u.exe /S -adminact=false -authorizationact=true -console=show _?=D:\\A b");
}
