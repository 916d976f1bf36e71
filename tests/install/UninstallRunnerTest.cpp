// The uninstall runner with the stand-in uninstaller as a real child.
#include "install/UninstallRunner.h"

#include <gtest/gtest.h>

#include "RunnerFixture.h"
#include "install/ReportCodes.h"
#include "utils/TextConvert.h"

using namespace InstallCodes;
using namespace InstallTest;

namespace {

// The uninstaller copy as the controller makes it, in a folder with blanks.
std::wstring UninstallerIn(const TempFolder& temp) {
  std::wstring copy = temp / L"Quelvox_un_asa.exe";
  EXPECT_TRUE(::CopyFileW(BuildPath("tools/uninstaller/uninstaller.exe").c_str(), copy.c_str(), FALSE));
  return copy;
}

std::vector<Rep> RunUninstaller(const std::wstring& uninstaller, const std::wstring& target) {
  Reports reports;
  {
    UninstallRunner runner(reports.Callback(), uninstaller, target);
    runner.Start();
  }
  return reports.All();
}

}  // namespace

TEST(UninstallRunner, ScriptedOutcomes) {
  struct {
    const char* name;
    const char* scenario;
    std::vector<Rep> tail;
  } cases[] = {
      {"only progress lines", "line Progress=0.5\nsleep 100\nline Progress=1\nexit 3\n",
       {{UNIST_CODE_PROGRESS, 0.5, L""}, {UNIST_CODE_PROGRESS, 1, L""}, {UNIST_CODE_SUCCESS, 1.0, L""}}},
      {"success, then an error: both, no closing report",
       "line State=Success\nsleep 200\nline Error=still in use\n",
       {{UNIST_CODE_SUCCESS, 0, L""}, {UNIST_CODE_ERROR, 0, L"still in use"}}},
      {"failure split across writes", "write Sta\nsleep 200\nline te=Fail\nsleep 200\n",
       {{UNIST_CODE_ERROR, 0, L"安装包卸载失败"}}},
      {"last line without line feed", "write Error=locked\n", {{UNIST_CODE_ERROR, 0, L"locked"}}},
      {"UTF-8 after Encode", "line Encode=UTF8\nline Error=文件被占用\n", {{UNIST_CODE_ERROR, 0, L"文件被占用"}}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder temp;
    UseScenario(L"QV_UNINST_SCENARIO", temp / L"scenario.txt", c.scenario);
    std::vector<Rep> expected = {{UNIST_CODE_PROGRESS, 0, L""}};
    expected.insert(expected.end(), c.tail.begin(), c.tail.end());
    EXPECT_EQ(RunUninstaller(UninstallerIn(temp), temp / L"old app"), expected);
  }
}

TEST(UninstallRunner, DescendantHoldingTheOutputDoesNotHoldTheRun) {
  TempFolder temp;
  const std::wstring mark = temp / L"descendant ended.txt";
  WriteUtf8File(temp / L"descendant.txt", "sleep 2500\ncmdline " + Utils::ToNarrow(mark, CP_UTF8) + "\n");
  UseScenario(L"QV_UNINST_SCENARIO", temp / L"scenario.txt",
              "spawn " + Utils::ToNarrow(temp / L"descendant.txt", CP_UTF8) + "\nline State=Success\n");
  Reports reports;
  bool descendantRunning = false;
  {
    UninstallRunner runner(reports.Callback(), UninstallerIn(temp), temp / L"old app");
    runner.Start();
  }
  descendantRunning = !FileExists(mark);
  EXPECT_TRUE(descendantRunning) << "the run waited for the uninstaller's descendant";
  EXPECT_EQ(reports.All(), (std::vector<Rep>{{UNIST_CODE_PROGRESS, 0, L""}, {UNIST_CODE_SUCCESS, 0, L""}}));
  for (int i = 0; i < 100 && !FileExists(mark); ++i) ::Sleep(100);
}

TEST(UninstallRunner, MissingUninstallerGivesOneReport) {
  TempFolder temp;
  EXPECT_EQ(RunUninstaller(temp / L"Quelvox_un_asa.exe", temp.Path()),
            (std::vector<Rep>{{UNIST_CODE_FAIL, 1.0, L"可执行卸载文件不存在"}}));
  EXPECT_EQ(RunUninstaller(L"", temp.Path()), (std::vector<Rep>{{UNIST_CODE_FAIL, 1.0, L"可执行卸载文件不存在"}}));
}

TEST(UninstallRunner, UninstallerThatCannotStartGivesValue2) {
  TempFolder temp;
  std::wstring fake = temp / L"Quelvox_un_asa.exe";
  WriteUtf8File(fake, "this is not a program\n");
  EXPECT_EQ(RunUninstaller(fake, temp.Path()), (std::vector<Rep>{{UNIST_CODE_PROGRESS, 0, L""}, {UNIST_CODE_FAIL, 2.0, L""}}));
}

TEST(UninstallRunner, UnquotedPathsWithBlanksReachTheUninstaller) {
  TempFolder temp;
  UseScenario(L"QV_UNINST_SCENARIO", temp / L"scenario.txt", "cmdline ${DIR}\\..\\cmdline.txt\nline State=Success\n");
  std::wstring uninstaller = UninstallerIn(temp);
  std::wstring target = temp / L"old app";
  ::CreateDirectoryW(target.c_str(), nullptr);
  Reports reports;
  std::wstring commandLine;
  {
    UninstallRunner runner(reports.Callback(), uninstaller, target);
    runner.Start();
    commandLine = runner.CommandLine();
  }
  EXPECT_EQ(commandLine.find(uninstaller + L" /S -adminact="), 0u) << Utils::ToNarrow(commandLine, CP_UTF8);
  EXPECT_NE(commandLine.find(L" -console=show _?="), std::wstring::npos);
  const std::wstring end = L" -console=show _?=" + target;
  EXPECT_EQ(commandLine.compare(commandLine.size() - end.size(), end.size(), end), 0);
  EXPECT_EQ(Utils::ToWide(ReadUtf8File(temp / L"cmdline.txt"), CP_UTF8), commandLine);
  EXPECT_EQ(reports.All(), (std::vector<Rep>{{UNIST_CODE_PROGRESS, 0, L""}, {UNIST_CODE_SUCCESS, 0, L""}}));
}
