// Installs the demo product with the stand-in package through the install
// runner, then removes it with the uninstaller it installed, through the
// uninstall runner, as the controller would.
#include <gtest/gtest.h>

#include <algorithm>

#include "RunnerFixture.h"
#include "install/InstallRunner.h"
#include "install/ReportCodes.h"
#include "install/UninstallRunner.h"

using namespace InstallCodes;
using namespace InstallTest;

TEST(InstallRoundTrip, InstallAndUninstallTheDemoProduct) {
  TempFolder temp;
  const std::wstring folder = temp / L"Sona vex";
  const std::wstring package = temp / L"__Package_Quelvox.exe";
  ASSERT_TRUE(::CopyFileW(BuildPath("tools/setup_package/setup_package.exe").c_str(), package.c_str(), FALSE));

  Reports installed;
  ProtocolDecoder::Version version;
  {
    InstallRunner runner(installed.Callback(), L"\"" + package + L"\"", folder, /*quickLaunch*/ false,
                         /*desktop*/ true, false);
    runner.Start();
    ASSERT_TRUE(installed.WaitFor(INSTALL_SUCCESS, 30000));
    // Destroying the runner waits for the package to end.
  }
  std::vector<Rep> all = installed.All();
  ASSERT_GE(all.size(), 4u);
  EXPECT_EQ(all[0], (Rep{IST_CODE_START, 0, L""}));
  EXPECT_EQ(all[1], (Rep{IST_CODE_PROGRESS, 0, L""}));
  EXPECT_EQ(all.back(), (Rep{INSTALL_SUCCESS, 0, L""}));
  int progress = 0;
  double last = 0;
  for (const Rep& r : all) {
    EXPECT_NE(r.code, IST_CODE_FAIL) << "failure: " << ::testing::PrintToString(r.text);
    if (r.code == IST_CODE_PROGRESS) {
      EXPECT_GE(r.value, last);
      last = r.value;
      ++progress;
    }
  }
  EXPECT_GE(progress, 4);
  EXPECT_NE(std::find(all.begin(), all.end(), Rep{IST_INFO_INST_PATH, 0, folder}), all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), Rep{IST_INFO_EXE_PATH, 0, folder + L"\\Quelvox.exe"}), all.end());
  EXPECT_NE(std::find(all.begin(), all.end(), Rep{IST_INFO_UNINST_EP, 0, folder + L"\\uninst.ep"}), all.end());
  EXPECT_TRUE(FileExists(folder + L"\\Quelvox.exe"));
  EXPECT_TRUE(FileExists(folder + L"\\uninst.ep"));
  EXPECT_TRUE(FileExists(folder + L"\\desktop_shortcut.txt"));
  EXPECT_FALSE(FileExists(folder + L"\\quicklaunch_shortcut.txt"));
  wchar_t keep[20] = L"";
  ::GetPrivateProfileStringW(L"Uninstall", L"IsOverride", L"", keep, 20, (folder + L"\\set.ini").c_str());
  EXPECT_STREQ(keep, L"true");

  // The controller runs a copy of the old uninstaller from the temporary folder.
  const std::wstring copy = temp / L"Quelvox_un_asa.exe";
  ASSERT_TRUE(::CopyFileW((folder + L"\\uninst.ep").c_str(), copy.c_str(), FALSE));
  Reports removed;
  {
    UninstallRunner runner(removed.Callback(), copy, folder);
    runner.Start();
  }
  std::vector<Rep> gone = removed.All();
  ASSERT_FALSE(gone.empty());
  EXPECT_EQ(gone.front(), (Rep{UNIST_CODE_PROGRESS, 0, L""}));
  EXPECT_EQ(gone.back(), (Rep{UNIST_CODE_SUCCESS, 0, L""}));
  EXPECT_FALSE(FileExists(folder + L"\\Quelvox.exe"));
  EXPECT_EQ(::GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES) << "folder removed";
}
