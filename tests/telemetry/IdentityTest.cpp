// Identity file, data directory, system values and the journal, through the
// real Win32 calls. No Set.ini beside this program: the default folder is used.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

#include "telemetry/tracker/NativeTrackLogger.h"
#include "telemetry/tracker/SystemInfo.h"
#include "telemetry/tracker/TrackerContext.h"

using namespace orvan::telemetry;

namespace {

std::string Ini(const std::wstring& file, const wchar_t* key) {
  wchar_t buffer[256] = {0};
  GetPrivateProfileStringW(L"Base", key, L"", buffer, 256, file.c_str());
  std::wstring w(buffer);
  return std::string(w.begin(), w.end());
}

void SetIni(const std::wstring& file, const wchar_t* key, const wchar_t* value) {
  WritePrivateProfileStringW(L"Base", key, value, file.c_str());
}

TEST(Identity, DefaultFolderAndFirstRun) {
  TrackerContext context;
  context.ResolveFiles("QvIdentityTest", "");
  const std::wstring& dir = context.dataDirectory;
  ASSERT_GE(dir.size(), 25u);
  EXPECT_EQ(dir.substr(dir.size() - 24), L"\\OVLocal\\QvIdentityTest\\");
  EXPECT_NE(GetFileAttributesW(dir.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(context.identityFile, dir + L"QvIdentityTest_OVSConfigure.ini");
  std::wstring log(context.logPath.begin(), context.logPath.end());
  EXPECT_EQ(log, dir + L"QvIdentityTest_OVSLog.txt");

  DeleteFileW(context.identityFile.c_str());
  context.LoadIdentity();
  context.SettleIdentity("http://a/collect?project=pc");
  std::string id = Ini(context.identityFile, L"DistinctId");
  EXPECT_EQ(id.size(), 36u);
  EXPECT_EQ(id.find_first_not_of("0123456789ABCDEF-"), std::string::npos) << id;
  EXPECT_EQ(id[8], '-');
  EXPECT_EQ(id[23], '-');
  EXPECT_EQ(Ini(context.identityFile, L"PrimaryDistinctId"), id);
  EXPECT_EQ(Ini(context.identityFile, L"isLogined"), "NG");
  EXPECT_EQ(Ini(context.identityFile, L"URL"), "http://a/collect?project=pc");
  EXPECT_EQ(Ini(context.identityFile, L"UserVipLevel"), "0");
}

TEST(Identity, SignInStateAndEndpointChange) {
  TrackerContext context;
  context.ResolveFiles("QvIdentityTest", "");
  const std::wstring& file = context.identityFile;
  DeleteFileW(file.c_str());
  SetIni(file, L"DistinctId", L"user-1");
  SetIni(file, L"PrimaryDistinctId", L"PRIMARY");
  SetIni(file, L"UserId", L"user-1");
  SetIni(file, L"URL", L"http://a/collect?project=pc");

  struct Case {
    const wchar_t* stored;
    bool signedIn;
  } cases[] = {{L"OK", true}, {L"ok", false}, {L"OKAY", false}, {L"NG", false}};
  for (const auto& c : cases) {
    SetIni(file, L"isLogined", c.stored);
    context.LoadIdentity();
    context.SettleIdentity("http://a/collect?project=pc");
    EXPECT_EQ(context.isLoggedIn, c.signedIn);
    EXPECT_EQ(context.distinctId, "user-1");
  }
  // "OK" with no user id is signed out.
  SetIni(file, L"isLogined", L"OK");
  SetIni(file, L"UserId", L"");
  context.LoadIdentity();
  context.SettleIdentity("http://a/collect?project=pc");
  EXPECT_FALSE(context.isLoggedIn);

  // Another endpoint signs out and returns to the primary distinct id.
  SetIni(file, L"UserId", L"user-1");
  context.LoadIdentity();
  context.SettleIdentity("http://b/collect?project=pc");
  EXPECT_FALSE(context.isLoggedIn);
  EXPECT_EQ(context.distinctId, "PRIMARY");
  EXPECT_EQ(Ini(file, L"DistinctId"), "PRIMARY");
  EXPECT_EQ(Ini(file, L"UserId"), "");
  EXPECT_EQ(Ini(file, L"URL"), "http://b/collect?project=pc");
}

TEST(SystemInfo, VersionTexts) {
  struct Case {
    unsigned major, minor, build;
    bool is64, r2;
    const char* text;
  } cases[] = {{10, 0, 22621, true, false, "11"}, {10, 0, 19045, true, false, "10"}, {6, 1, 7601, false, false, "7-32"},
               {6, 1, 7601, true, false, "7"},    {5, 2, 3790, false, true, "Server 2003 R2"},
               {5, 2, 3790, true, true, "XP64"},  {6, 4, 0, false, false, "8.1+"},  {10, 1, 0, true, false, "11+"},
               {11, 2, 33, true, false, "11.2.33"}, {4, 0, 0, false, false, "XP-"}};
  for (const auto& c : cases) {
    OsVersion v;
    v.known = true;
    v.major = c.major, v.minor = c.minor, v.build = c.build;
    EXPECT_EQ(OsVersionText(v, c.is64, c.r2), c.text) << c.major << "." << c.minor << "." << c.build;
  }
  EXPECT_EQ(OsVersionText(OsVersion(), true, false), "XP-");
  // This 32-bit prefix reports Windows 6.1.
  std::string name, version;
  GetOsNameAndVersion(name, version);
  EXPECT_EQ(name, "Windows");
  EXPECT_EQ(version, Is64BitSystem() ? "7" : "7-32");
  EXPECT_EQ(BuildUserAgent(), "Mozilla/5.0(Windows " + version + "; Win" + (Is64BitSystem() ? "64;)" : "32;)"));
  std::string language, country, locale;
  ASSERT_TRUE(GetSystemLocale(language, country, locale));
  EXPECT_EQ(locale, language + "_" + country);
  EXPECT_GT(ScreenWidth(), 0);
}

TEST(TrackLogger, CreatesAnEmptyFileAndKeepsAnExistingOne) {
  TrackerContext context;
  context.ResolveFiles("QvIdentityTest", "");
  std::string path = context.logPath;
  std::wstring wide(path.begin(), path.end());
  DeleteFileW(wide.c_str());
  {
    NativeTrackLogger logger;
    logger.Open(path);
    EXPECT_TRUE(logger.IsOpen());
  }
  WIN32_FILE_ATTRIBUTE_DATA data;
  ASSERT_TRUE(GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 0u);
  { std::ofstream(path, std::ios::binary) << "line\n"; }
  {
    NativeTrackLogger logger;
    logger.Open(path);
    std::vector<TrackLogger::Entry> entries;
    logger.read(0, 10, entries);
    EXPECT_EQ(entries.size(), 1u);
  }
  ASSERT_TRUE(GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 5u);
}

}  // namespace
