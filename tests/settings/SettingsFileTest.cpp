#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <sstream>

#include "app/InstallerSettings.h"
#include "utils/ChildProgram.h"  // tests/utils

namespace {

void WriteIni(const std::wstring& folder, const std::string& text) {
  std::wstring path = folder + L"\\OrvanInstallerConfig.ini";
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, text.data(), (DWORD)text.size(), &written, nullptr);
  CloseHandle(file);
}

std::map<std::string, std::string> ParseFields(const std::string& output) {
  std::map<std::string, std::string> fields;
  std::istringstream in(output);
  for (std::string line; std::getline(in, line);) {
    size_t eq = line.find('=');
    if (eq != std::string::npos) fields[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return fields;
}

std::map<std::string, std::string> RunSettingsChild(const std::wstring& program, const std::wstring& switches) {
  Utils::Process process;
  process.Launch(L"\"" + program + L"\" settings " + switches, program);
  QvTest::ChildResult r = QvTest::Collect(process);
  EXPECT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0u);
  return ParseFields(r.output);
}

}  // namespace

TEST(SettingsFile, EdgeCasesOfARealIniBesideTheExecutable) {
  const InstallerSettings defaults;
  struct Case {
    const char* name;
    const char* ini;  // nullptr: no file at all
    bool isCheckNet;
    int downloadType;
    double scale;
    bool telemetry;
  } cases[] = {
      {"no file", nullptr, false, 1, 0.7, true},
      {"only the section header", "[Install]\r\n", true, 1, 0.7, true},
      {"another section", "[Other]\r\nIsCheckNet=false\r\n", true, 1, 0.7, true},
      {"capitalised and numeric booleans", "[Install]\r\nIsCheckNet=True\r\nIsEnableAppTelemetry=1\r\n", false, 1, 0.7, false},
      {"texts without a leading number", "[Install]\r\nDownloadType=abc\r\nDownloadScale=abc\r\n", true, 0, 0.0, true},
      {"numeric prefixes", "[Install]\r\nDownloadType=3x\r\nDownloadScale=0.4kg\r\nIsCheckNet=true\r\n", true, 3, 0.4, true},
      {"empty values", "[Install]\r\nIsCheckNet=\r\nIsEnableAppTelemetry=\r\n", false, 1, 0.7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QvTest::TempFolder folder(L"qvset");
    if (c.ini) WriteIni(folder.path(), c.ini);
    InstallerSettings s;
    s.LoadDefaultsAndFile(folder.path() + L"\\QuelvoxSetup.exe");
    EXPECT_EQ(s.ExeFileName, L"QuelvoxSetup.exe");
    EXPECT_EQ(s.IsCheckNet, c.isCheckNet);
    EXPECT_EQ(s.DownloadType, c.downloadType);
    EXPECT_DOUBLE_EQ(s.DownloadScale, c.scale);
    EXPECT_EQ(s.IsEnableAppTelemetry, c.telemetry);
    EXPECT_EQ(s.DownloadUrl, defaults.DownloadUrl);
    EXPECT_EQ(s.DlAppNameSuffix, L".downloader");
    EXPECT_EQ(s.ProductCode, L"Quelvox");
  }
}

TEST(SettingsFile, StringValuesCutAtTheBufferAndRouteTemplateApplied) {
  QvTest::TempFolder folder(L"qvset");
  std::string longUrl = "http://h/" + std::string(300, 'a');
  WriteIni(folder.path(), "[Install]\r\nDownloadUrl=" + longUrl + "\r\nInstCmd=/S /x\r\nDlAppNameSuffix=.y\r\n"
                          "m_DlAppVersion=3.1\r\nProductCode=Other\r\nProductVersion=9.9\r\n");
  InstallerSettings s;
  s.LoadDefaultsAndFile(folder.path() + L"\\QuelvoxSetup.exe");
  EXPECT_EQ(s.DownloadUrl, std::wstring(longUrl.begin(), longUrl.begin() + 259));
  EXPECT_EQ(s.InstCmd, L"/S /x");
  EXPECT_EQ(s.DlAppNameSuffix, L".y");
  EXPECT_EQ(s.m_DlAppVersion, L"3.1");
  EXPECT_EQ(s.ProductCode, L"Quelvox");
  EXPECT_EQ(s.ProductVersion, L"1.7.9");

  // The Wine prefix reports Windows 6.1 ("7"), 32-bit.
  WriteIni(folder.path(), "[Install]\r\nDownloadUrl=http://h/${ROUTE}/pkg/${ROUTE}\r\n");
  s.LoadDefaultsAndFile(folder.path() + L"\\QuelvoxSetup.exe");
  EXPECT_EQ(s.DownloadUrl, L"http://h/download_silent/pkg/download_silent");
}

TEST(SettingsFile, CommandLineTextIsSplitAsTheSystemDoes) {
  InstallerSettings s;
  s.ApplyCommandLine(L"\"C:\\dir with blank\\setup.exe\" \"-instcmd=/S /D=C:\\a b\" -downloadtype=2 -downloadtype=3 "
                     L"-DownloadUrl=x -ischecknet");
  EXPECT_EQ(s.InstCmd, L"/S /D=C:\\a b");
  EXPECT_EQ(s.DownloadType, 2);
  EXPECT_EQ(s.DownloadUrl, InstallerSettings().DownloadUrl);
  EXPECT_FALSE(s.IsCheckNet);
}

TEST(SettingsProcess, StaticLoadAndRealCommandLineOfAChild) {
  // Without a file beside it: the built-in defaults.
  auto plain = RunSettingsChild(QvTest::TestChildPath(), L"");
  EXPECT_EQ(plain["IsCheckNet"], "0");
  EXPECT_EQ(plain["IsEnableAppTelemetry"], "1");
  EXPECT_EQ(plain["DownloadType"], "1");
  EXPECT_EQ(plain["DownloadScale"], "0.700000");
  EXPECT_EQ(plain["ExeFileName"], "testchild.exe");
  EXPECT_EQ(plain["DlAppNameSuffix"], ".downloader");
  std::wstring url = InstallerSettings().DownloadUrl;
  EXPECT_EQ(plain["DownloadUrl"], std::string(url.begin(), url.end()));

  // A copy beside its own settings file, then switches over it.
  QvTest::TempFolder folder(L"qv set child");
  std::wstring program = folder.path() + L"\\QuelvoxSetup.exe";
  ASSERT_TRUE(CopyFileW(QvTest::TestChildPath().c_str(), program.c_str(), FALSE));
  WriteIni(folder.path(), "[Install]\r\nDownloadType=2\r\nDownloadScale=0.5\r\nIsEnableAppTelemetry=false\r\n"
                          "DownloadUrl=http://file/${ROUTE}\r\n");
  auto fromFile = RunSettingsChild(program, L"");
  EXPECT_EQ(fromFile["ExeFileName"], "QuelvoxSetup.exe");
  EXPECT_EQ(fromFile["IsCheckNet"], "1") << "a settings file without the key turns the check on";
  EXPECT_EQ(fromFile["DownloadType"], "2");
  EXPECT_EQ(fromFile["DownloadScale"], "0.500000");
  EXPECT_EQ(fromFile["IsEnableAppTelemetry"], "0");
  EXPECT_EQ(fromFile["DownloadUrl"], "http://file/download_silent");

  auto switched = RunSettingsChild(program, L"-downloadtype=3 -downloadtype=5 \"-instcmd=/S /D=C:\\a b\" "
                                            L"-ischecknet=1 -isenableapptelemetry=true -downloadurl=http://cl/x");
  EXPECT_EQ(switched["DownloadType"], "3");
  EXPECT_EQ(switched["InstCmd"], "/S /D=C:\\a b");
  EXPECT_EQ(switched["IsCheckNet"], "0");
  EXPECT_EQ(switched["IsEnableAppTelemetry"], "1");
  EXPECT_EQ(switched["DownloadUrl"], "http://cl/x");
  EXPECT_EQ(switched["DownloadScale"], "0.500000");
  EXPECT_EQ(switched["ProductCode"], "Quelvox");
}
