#include <gtest/gtest.h>

#include "app/InstallerSettings.h"
#include "app/SettingsParse.h"

using SettingsParse::ApplyRouteTemplate;
using SettingsParse::BuildSwitchMap;
using SettingsParse::ParseDoublePrefix;
using SettingsParse::ParseIntPrefix;

TEST(SwitchMap, SplitsAtFirstEqualsAndKeepsFirstOccurrence) {
  auto map = BuildSwitchMap({L"C:\\setup.exe", L"-downloadtype=2", L"-downloadtype=3", L"-instcmd=/S /D=x",
                             L"-ischecknet", L"plain=word", L"-downloadurl="});
  EXPECT_EQ(map.at(L"-downloadtype"), L"2");
  EXPECT_EQ(map.at(L"-instcmd"), L"/S /D=x");
  EXPECT_EQ(map.at(L"-ischecknet"), L"");
  EXPECT_EQ(map.at(L"plain=word"), L"") << "only tokens starting with '-' are split";
  EXPECT_EQ(map.at(L"-downloadurl"), L"");
  EXPECT_EQ(map.count(L"C:\\setup.exe"), 1u);
}

TEST(NumberPrefixes, IntegerAndDecimalRules) {
  struct { const wchar_t* text; int32_t value; } ints[] = {
      {L"3", 3}, {L"3x", 3}, {L"abc", 0}, {L"", 0}, {L"  -12", -12}, {L"+7z", 7}, {L"- 5", 0},
      {L"99999999999", INT32_MAX}, {L"-99999999999", INT32_MIN}};
  for (auto& c : ints) EXPECT_EQ(ParseIntPrefix(c.text), c.value) << c.text;

  struct { const wchar_t* text; double value; } doubles[] = {
      {L"0.7", 0.7}, {L"0.55abc", 0.55}, {L" .5", 0.5}, {L"5.", 5.0}, {L"-1e2x", -100.0}, {L"2e", 2.0},
      {L"abc", 0.0}, {L"", 0.0}, {L".", 0.0}, {L"inf", 0.0}, {L"0x10", 0.0}};
  for (auto& c : doubles) {
    double v = 42.0;
    EXPECT_TRUE(ParseDoublePrefix(c.text, &v)) << c.text;
    EXPECT_DOUBLE_EQ(v, c.value) << c.text;
  }
  double kept = 0.3;
  EXPECT_FALSE(ParseDoublePrefix(L"1e999", &kept));
  EXPECT_DOUBLE_EQ(kept, 0.3);
}

TEST(RouteTemplate, EveryPlaceholderReplacedByTheSystemsRoute) {
  const std::wstring url = L"http://h/${ROUTE}/a/${ROUTE}";
  EXPECT_EQ(ApplyRouteTemplate(url, L"7", false), L"http://h/download_silent/a/download_silent");
  EXPECT_EQ(ApplyRouteTemplate(url, L"7", true), L"http://h/download_silent/a/download_silent")
      << "this product has no 64-bit package";
  for (const wchar_t* xp : {L"XP-", L"XP", L"XP+"})
    EXPECT_EQ(ApplyRouteTemplate(url, xp, false), L"http://h/download_silent_xp/a/download_silent_xp");
  for (const wchar_t* other : {L"2K", L"Server 2003", L"Server 2003 R2", L"10"})
    EXPECT_EQ(SettingsParse::ChooseRoute(other, false), L"download_silent") << other;
  EXPECT_EQ(ApplyRouteTemplate(L"http://h/$ROUTE/x", L"XP", false), L"http://h/$ROUTE/x");
  EXPECT_EQ(ApplyRouteTemplate(L"", L"XP", false), L"");
}

TEST(InstallerSettingsSwitches, DefaultsThenSwitchTable) {
  InstallerSettings d;
  EXPECT_EQ(d.ProductCode, L"Quelvox");
  EXPECT_EQ(d.ProductVersion, L"1.7.9");
  EXPECT_EQ(d.ExeFileName, L"NULL");
  EXPECT_EQ(d.DownloadUrl, L"http://" L"" QV_DEFAULT_DOWNLOAD_HOST L"/software/273");
  EXPECT_EQ(d.DownloadType, 1);
  EXPECT_FALSE(d.IsCheckNet);
  EXPECT_TRUE(d.IsEnableAppTelemetry);
  EXPECT_DOUBLE_EQ(d.DownloadScale, 0.7);
  EXPECT_EQ(d.DlAppNameSuffix, L".downloader");
  EXPECT_EQ(d.AbGroup, L"IN");
  EXPECT_TRUE(d.CurlReady);

  InstallerSettings s;
  s.ApplySwitches({L"setup.exe", L"-downloadtype=2", L"-downloadtype=3", L"-ischecknet=1",
                   L"-isenableapptelemetry=false", L"-DownloadUrl=http://ignored", L"-downloadscale=0.25",
                   L"-dlappnamesuffix=.x", L"-dlappversion=2.0", L"-instcmd=/S /D=C:\\a b"},
                  L"7", false);
  EXPECT_EQ(s.DownloadType, 2);
  EXPECT_FALSE(s.IsCheckNet);
  EXPECT_FALSE(s.IsEnableAppTelemetry);
  EXPECT_EQ(s.DownloadUrl, d.DownloadUrl);
  EXPECT_DOUBLE_EQ(s.DownloadScale, 0.25);
  EXPECT_EQ(s.DlAppNameSuffix, L".x");
  EXPECT_EQ(s.m_DlAppVersion, L"2.0");
  EXPECT_EQ(s.InstCmd, L"/S /D=C:\\a b");

  InstallerSettings t;
  t.ApplySwitches({L"setup.exe", L"-downloadurl", L"-ischecknet=true", L"-downloadtype=abc",
                   L"-downloadscale=none"}, L"7", false);
  EXPECT_EQ(t.DownloadUrl, L"") << "a switch without '=' empties the address";
  EXPECT_TRUE(t.IsCheckNet);
  EXPECT_EQ(t.DownloadType, 0);
  EXPECT_DOUBLE_EQ(t.DownloadScale, 0.0);

  InstallerSettings u;
  u.ApplySwitches({L"setup.exe", L"-downloadurl=http://h/${ROUTE}/p/${ROUTE}", L"-ischecknet", L"-downloadtype=3x"},
                  L"XP", false);
  EXPECT_EQ(u.DownloadUrl, L"http://h/download_silent_xp/p/download_silent_xp");
  EXPECT_FALSE(u.IsCheckNet);
  EXPECT_EQ(u.DownloadType, 3);
}
