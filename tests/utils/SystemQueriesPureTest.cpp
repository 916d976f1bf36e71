#include <gtest/gtest.h>

#include "utils/DirectoryChain.h"
#include "utils/GuidString.h"
#include "utils/Stopwatch.h"
#include "utils/SystemVersionName.h"

TEST(SystemVersionName, TableOfNames) {
  struct { unsigned major, minor, build; bool r2; const wchar_t* name; } cases[] = {
      {0, 0, 0, false, L"XP-"},  {4, 10, 0, false, L"XP-"},  {5, 0, 2195, false, L"2K"},
      {5, 1, 2600, false, L"XP"}, {5, 2, 3790, false, L"Server 2003"}, {5, 2, 3790, true, L"Server 2003 R2"},
      {5, 3, 0, false, L"XP+"},  {6, 0, 6000, false, L"Vista"}, {6, 1, 7601, false, L"7"},
      {6, 2, 9200, false, L"8"}, {6, 3, 9600, false, L"8.1"}, {6, 4, 0, false, L"8.1+"},
      {10, 0, 22000, false, L"10"}, {10, 1, 0, false, L"10+"}, {11, 0, 22000, false, L"11.0.22000"},
      {7, 2, 5, false, L"7.2.5"}};
  for (auto& c : cases) EXPECT_EQ(Utils::SystemVersionName(c.major, c.minor, c.build, c.r2), c.name) << c.name;
}

TEST(GuidString, ThirdGroupLowerCaseOthersUpper) {
  const uint8_t tail[8] = {0xAB, 0xCD, 0x01, 0x02, 0xEF, 0x03, 0x04, 0x0F};
  EXPECT_EQ(Utils::FormatGuidString(0xDEADBEEF, 0xABCD, 0xABCD, tail), L"DEADBEEFABCDabcdABCD0102EF03040F");
  EXPECT_EQ(Utils::FormatGuidString(0x1, 0x2, 0x3, tail).size(), 32u);
}

TEST(DirectoryChain, PrefixesFromTheRootAndLengthLimit) {
  EXPECT_EQ(Utils::DirectoryChain(L"C:\\a\\b\\c"),
            (std::vector<std::wstring>{L"C:\\", L"C:\\a\\", L"C:\\a\\b\\", L"C:\\a\\b\\c"}));
  EXPECT_EQ(Utils::DirectoryChain(L"C:\\a\\b\\"), (std::vector<std::wstring>{L"C:\\", L"C:\\a\\", L"C:\\a\\b\\"}));
  std::wstring limit = L"C:\\" + std::wstring(257, L'x');
  EXPECT_EQ(Utils::DirectoryChain(limit).size(), 2u);
  EXPECT_TRUE(Utils::DirectoryChain(limit + L"y").empty());
}

TEST(Stopwatch, ZeroBeforeStartAndWrapOfTheTickCounter) {
  EXPECT_EQ(Utils::Stopwatch::ElapsedSeconds(1000, 62500), 61.5f);
  EXPECT_EQ(Utils::Stopwatch::ElapsedSeconds(0xFFFFFF00u, 0x000000F4u), 0.5f);
  EXPECT_EQ(Utils::Stopwatch::ElapsedSeconds(5, 5), 0.0f);
}
