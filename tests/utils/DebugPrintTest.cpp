#include <gtest/gtest.h>

#include <regex>

#include "support/DebugChannel.h"
#include "utils/DebugPrint.h"
#include "utils/TextConvert.h"

namespace Utils {
void LogProbeForTest() { UTILS_LOG(L"GetConnectivity %d", 0); }
}  // namespace Utils

TEST(DebugPrint, LineOnTheDebuggerChannelHasTheExactPrefix) {
  QvTest::DebugChannel channel;
  ASSERT_TRUE(channel.ok());
  Utils::LogProbeForTest();
  ASSERT_TRUE(channel.WaitFor(L"GetConnectivity", 5000));
  auto lines = channel.Matching(L"GetConnectivity");
  ASSERT_EQ(lines.size(), 1u);
  std::wregex re(L"<P(\\d{5,})><T(\\d{5,})><\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}>"
                 L"\\(Utils::LogProbeForTest\\)<00(\\d\\d)>: GetConnectivity 0");
  std::wsmatch m;
  ASSERT_TRUE(std::regex_match(lines[0], m, re)) << Utils::ToNarrow(lines[0], 65001);
  EXPECT_EQ(std::stoul(m[1].str()), GetCurrentProcessId());
  EXPECT_EQ(std::stoul(m[2].str()), GetCurrentThreadId());
}

TEST(DebugPrint, WideStringArgumentAndWidths) {
  QvTest::DebugChannel channel;
  Utils::DebugPrint(UTILS_LOG_PREFIX L"x=%s n=%lld", 1234567, 12, 2024, 1, 2, 3, 4, 5, 6,
                    L"Utils::CheckNetwork", 245, L"abc", 1LL << 40);
  ASSERT_TRUE(channel.WaitFor(L"x=abc", 5000));
  EXPECT_EQ(channel.Matching(L"x=abc")[0],
            L"<P1234567><T00012><2024-01-02 03:04:05.006>(Utils::CheckNetwork)<0245>: x=abc n=1099511627776");
}

TEST(TextConvert, RoundTripsAndEmpty) {
  EXPECT_EQ(Utils::ToNarrow(L"", 65001), "");
  EXPECT_EQ(Utils::ToWide("", 65001), L"");
  EXPECT_EQ(Utils::ToNarrow(L"\u4e2d", 65001), "\xE4\xB8\xAD");
  EXPECT_EQ(Utils::ToWide("\xE4\xB8\xAD", 65001), L"\u4e2d");
  EXPECT_EQ(Utils::UrlEncode(L"a b\u4e2d"), L"a+b%E4%B8%AD");
  EXPECT_EQ(Utils::UrlEncode(L"/p/q?x=1&y=2"), L"/p/q?x=1&y=2");
}
