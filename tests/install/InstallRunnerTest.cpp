// The install runner with the stand-in setup package as a real child
// process on real pipes.
#include "install/InstallRunner.h"

#include <gtest/gtest.h>

#include <memory>

#include "RunnerFixture.h"
#include "app/InstallerSettings.h"
#include "install/ReportCodes.h"
#include "utils/TextConvert.h"

using namespace InstallCodes;
using namespace InstallTest;

namespace {

const std::vector<Rep> kRunStart = {{IST_CODE_START, 0, L""}, {IST_CODE_PROGRESS, 0, L""}};

std::vector<Rep> AfterStart(std::vector<Rep> tail) {
  std::vector<Rep> all = kRunStart;
  all.insert(all.end(), tail.begin(), tail.end());
  return all;
}

// The package copied to where the controller keeps it, in a folder with blanks.
std::wstring PackageIn(const TempFolder& temp) {
  std::wstring package = temp / L"__Package_Quelvox.exe";
  EXPECT_TRUE(::CopyFileW(BuildPath("tools/setup_package/setup_package.exe").c_str(), package.c_str(), FALSE));
  return package;
}

std::vector<Rep> RunScripted(const std::string& scenario) {
  TempFolder temp;
  UseScenario(L"QV_SETUP_SCENARIO", temp / L"scenario.txt", scenario);
  Reports reports;
  {
    InstallRunner runner(reports.Callback(), L"\"" + PackageIn(temp) + L"\"", temp / L"app", true, true, false);
    runner.Start();
  }  // waits for the run
  return reports.All();
}

}  // namespace

TEST(InstallRunner, ScriptedOutcomes) {
  struct {
    const char* name;
    const char* scenario;
    std::vector<Rep> tail;
  } cases[] = {
      {"decisive line split across writes",
       "line Progress=0.25\nwrite State=Fa\nsleep 300\nwrite il\nsleep 200\nline\nsleep 300\nexit 0\n",
       {{IST_CODE_PROGRESS, 0.25, L""}, {IST_CODE_FAIL, 0, L"安装包安装失败"}}},
      {"no decisive line, exit code 1", "line Progress=0.3\nexit 1\n",
       {{IST_CODE_PROGRESS, 0.3, L""}, {INSTALL_SUCCESS, 1.0, L""}}},
      {"nothing printed, exit code 1", "exit 1\n", {{INSTALL_SUCCESS, 1.0, L""}}},
      {"last line without line feed", "line Progress=0.9\nflush\nwrite State=Success\n",
       {{IST_CODE_PROGRESS, 0.9, L""}, {INSTALL_SUCCESS, 0, L""}}},
      {"error written just before the end", "line Progress=0.5\nflush\nline Error=disk full\\r\nexit 0\n",
       {{IST_CODE_PROGRESS, 0.5, L""}, {IST_CODE_FAIL, 1000.0, L"disk full\r"}}},
      {"facts and success", "line InstPath=${DIR}\nline StartupStyle=AutoStartup\nline State=Success\n",
       {{IST_INFO_INST_PATH, 0, L""}, {IST_INFO_STARTUP_STYLE, 1, L""}, {INSTALL_SUCCESS, 0, L""}}},
      {"UTF-8 after Encode", "line Encode=UTF8\nsleep 100\nline Message=中文\nline State=Success\n",
       {{IST_INFO_MESSAGE, 0, L"中文"}, {INSTALL_SUCCESS, 0, L""}}},
      {"code page 936 after Encode", "line Encode=936\nsleep 100\ncodepage 936\nline Message=中文\n",
       {{IST_INFO_MESSAGE, 0, L"中文"}, {INSTALL_SUCCESS, 1.0, L""}}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Rep> got = RunScripted(c.scenario);
    std::vector<Rep> expected = AfterStart(c.tail);
    // The folder of the InstPath case depends on the temporary folder.
    for (size_t i = 0; i < got.size() && i < expected.size(); ++i)
      if (expected[i].code == IST_INFO_INST_PATH && got[i].code == IST_INFO_INST_PATH) {
        EXPECT_NE(got[i].text.find(L"qv install test"), std::wstring::npos);
        expected[i].text = got[i].text;
      }
    EXPECT_EQ(got, expected);
  }
}

TEST(InstallRunner, SuccessIsReportedAtOnceWhileThePackageRunsOn) {
  TempFolder temp;
  const std::wstring lateMark = temp / L"late.txt";
  UseScenario(L"QV_SETUP_SCENARIO", temp / L"scenario.txt",
              "line State=Success\nsleep 1500\ncmdline ${DIR}\\..\\late.txt\nline Message=too late\nsleep 300\n");
  Reports reports;
  bool childStillRunning = false;
  reports.OnReport(INSTALL_SUCCESS, [&] { childStillRunning = !FileExists(lateMark); });
  {
    InstallRunner runner(reports.Callback(), L"\"" + PackageIn(temp) + L"\"", temp / L"app", true, true, false);
    runner.Start();
  }
  EXPECT_TRUE(childStillRunning);
  EXPECT_TRUE(FileExists(lateMark)) << "the run ends only when the package has ended";
  EXPECT_EQ(reports.All(), AfterStart({{INSTALL_SUCCESS, 0, L""}}));  // later output is not read
}

TEST(InstallRunner, PackageThatChattersAfterSuccessIsNotLeftBlockedOnAFullPipe) {
  // Far more than a pipe holds, written after the decisive line: the run
  // must still end, and none of it is parsed.
  EXPECT_EQ(RunScripted("line State=Success\nsleep 300\nrepeat 30000 Message=chatter chatter\nexit 0\n"),
            AfterStart({{INSTALL_SUCCESS, 0, L""}}));
}

TEST(InstallRunner, DescendantHoldingTheOutputDoesNotHoldTheRun) {
  TempFolder temp;
  const std::wstring mark = temp / L"descendant ended.txt";
  WriteUtf8File(temp / L"descendant.txt", "sleep 2500\ncmdline " + Utils::ToNarrow(mark, CP_UTF8) + "\n");
  UseScenario(L"QV_SETUP_SCENARIO", temp / L"scenario.txt",
              "line Progress=0.5\nspawn " + Utils::ToNarrow(temp / L"descendant.txt", CP_UTF8) + "\nexit 0\n");
  Reports reports;
  bool descendantRunning = false;
  reports.OnReport(INSTALL_SUCCESS, [&] { descendantRunning = !FileExists(mark); });
  {
    InstallRunner runner(reports.Callback(), L"\"" + PackageIn(temp) + L"\"", temp / L"app", true, true, false);
    runner.Start();
  }
  EXPECT_TRUE(descendantRunning) << "the run waited for the package's descendant";
  EXPECT_EQ(reports.All(), AfterStart({{IST_CODE_PROGRESS, 0.5, L""}, {INSTALL_SUCCESS, 1.0, L""}}));
  for (int i = 0; i < 100 && !FileExists(mark); ++i) ::Sleep(100);  // let it end before clean-up
}

TEST(InstallRunner, LaunchFailureReportsValue2) {
  TempFolder temp;
  Reports reports;
  {
    InstallRunner runner(reports.Callback(), L"\"" + (temp / L"missing package.exe") + L"\"", temp / L"app", true,
                         true, false);
    runner.Start();
  }
  EXPECT_EQ(reports.All(), AfterStart({{IST_CODE_FAIL, 2.0, L""}}));
}

TEST(InstallRunner, CommandLineReachesThePackageWithInstCmdAndBlanks) {
  TempFolder temp;
  UseScenario(L"QV_SETUP_SCENARIO", temp / L"scenario.txt",
              "cmdline " + Utils::ToNarrow(temp / L"cmdline.txt", CP_UTF8) + "\n");
  std::wstring folder = temp / L"So navex app";
  std::wstring package = L"\"" + PackageIn(temp) + L"\"";
  struct {
    const wchar_t* instCmd;
    bool withFolder;
    const wchar_t* expectedTail;
  } cases[] = {
      {L"", true, L" -ssc=true -instdir=\"FOLDER\" /D=FOLDER"},
      {L"-channel=test -x", true, L" -ssc=true -channel=test -x -instdir=\"FOLDER\" /D=FOLDER"},
      {L"-channel=test", false, L" -ssc=true -channel=test"},
  };
  for (auto& c : cases) {
    InstallerSettings::Mutable().InstCmd = c.instCmd;
    std::wstring tail = c.expectedTail;
    for (size_t p; (p = tail.find(L"FOLDER")) != std::wstring::npos;) tail.replace(p, 6, folder);
    std::wstring expected =
        package + L" /S -console=show -version=1.0.0 -adminact=true -authorizationact=false -dsc=false" + tail;
    ::DeleteFileW((temp / L"cmdline.txt").c_str());
    Reports reports;
    {
      InstallRunner runner(reports.Callback(), package, L"", true, true, true);
      runner.SetInstallFolder(c.withFolder ? folder : L"");
      runner.SetDesktop(false);
      runner.SetTokenAdmin(false);
      runner.Start();
      EXPECT_EQ(runner.CommandLine(), expected);
    }
    EXPECT_EQ(Utils::ToWide(ReadUtf8File(temp / L"cmdline.txt"), CP_UTF8), expected);
    EXPECT_EQ(reports.All(), AfterStart({{INSTALL_SUCCESS, 1.0, L""}}));
  }
  InstallerSettings::Mutable().InstCmd.clear();
}

TEST(InstallRunner, SecondStartWaitsAndTheCodePageCarriesOver) {
  TempFolder temp;
  const std::wstring firstEnded = temp / L"first ended.txt";
  UseScenario(L"QV_SETUP_SCENARIO", temp / L"first.txt",
              "line Encode=UTF8\nline State=Success\nsleep 800\ncmdline ${DIR}\\..\\first ended.txt\n");
  Reports reports;
  InstallRunner runner(reports.Callback(), L"\"" + PackageIn(temp) + L"\"", temp / L"app", true, true, false);
  runner.Start();
  ASSERT_TRUE(reports.WaitFor(INSTALL_SUCCESS, 20000));
  EXPECT_EQ(runner.CodePage(), 65001);
  // The second run prints UTF-8 without announcing it.
  UseScenario(L"QV_SETUP_SCENARIO", temp / L"second.txt", "line Message=中文\nline State=Fail\n");
  runner.Start();  // blocks until the first run has ended
  EXPECT_TRUE(FileExists(firstEnded));
  ASSERT_TRUE(reports.WaitFor(IST_CODE_FAIL, 20000));
  std::vector<Rep> all = reports.All();
  std::vector<Rep> expected = AfterStart({{INSTALL_SUCCESS, 0, L""}});
  for (const Rep& r : AfterStart({{IST_INFO_MESSAGE, 0, L"中文"}, {IST_CODE_FAIL, 0, L"安装包安装失败"}}))
    expected.push_back(r);
  EXPECT_EQ(all, expected);
}
