#include <gtest/gtest.h>

#include "utils/DebugPrint.h"
#include "utils/TextConvert.h"

TEST(PercentEncode, SpaceAndMultibyte) {
  // "a b" + U+4E2D (E4 B8 AD)
  EXPECT_EQ(Utils::PercentEncodeBytes("a b\xE4\xB8\xAD"), "a+b%E4%B8%AD");
  EXPECT_EQ(Utils::PercentEncodeBytes("/dir/x?a=1&b=%"), "/dir/x?a=1&b=%");
  EXPECT_EQ(Utils::PercentEncodeBytes(std::string("\x7f\x01", 2)), "%7F%01");
  EXPECT_EQ(Utils::PercentEncodeBytes(""), "");
}

TEST(QualifiedFunctionName, StripsReturnTypeAndParameters) {
  EXPECT_EQ(Utils::QualifiedFunctionName("bool Utils::CheckNetwork()"), L"Utils::CheckNetwork");
  EXPECT_EQ(Utils::QualifiedFunctionName("static unsigned int Utils::Thread::CallBack(void*)"),
            L"Utils::Thread::CallBack");
  EXPECT_EQ(Utils::QualifiedFunctionName("std::map<int, int> A::B<C>::f(int)"), L"A::B<C>::f");
  EXPECT_EQ(Utils::QualifiedFunctionName("CDownloadInstaller::Start()::<lambda(int32_t, double)>"),
            L"CDownloadInstaller::Start::<lambda(int32_t, double)>");
}
