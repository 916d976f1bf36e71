// The wire form of values and objects, and the core's input checks.
#include <gtest/gtest.h>

#include <ctime>

#include "telemetry/core/PropertiesNode.h"
#include "telemetry/core/TrackId.h"
#include "telemetry/core/Validation.h"

using telemetry_core::PropertiesNode;
using telemetry_core::utils::ObjectNode;

TEST(ObjectNodeJson, KeysInByteOrderWithoutWhiteSpace) {
  ObjectNode node;
  node.SetString("ov_name", "x");
  node.SetBool("_flag", false);
  node.SetNumber("$count", 3);
  node.SetString("Zeta", "z");
  node.SetBool("ov_name", true);  // replaces
  EXPECT_EQ(node.ToJson(), "{\"$count\":3,\"Zeta\":\"z\",\"_flag\":false,\"ov_name\":true}");
}

TEST(ObjectNodeJson, NumbersAndIntegers) {
  struct Case {
    double value;
    const char* json;
  } cases[] = {{0.1, "0.1"}, {12.5, "12.5"}, {1234567.0, "1.23457e+06"}, {-3.0, "-3"}, {1e-7, "1e-07"}};
  for (const auto& c : cases) {
    ObjectNode node;
    node.SetNumber("n", c.value);
    EXPECT_EQ(node.ToJson(), std::string("{\"n\":") + c.json + "}") << c.value;
  }
  ObjectNode node;
  node.SetNumber("i", 42);
  node.SetInteger("big", 1700000000005LL);
  EXPECT_EQ(node.ToJson(), "{\"big\":1700000000005,\"i\":42}");
}

TEST(ObjectNodeJson, StringEscapesListsAndNesting) {
  ObjectNode inner;
  inner.SetString("k", "v");
  PropertiesNode props;
  props.SetString("s", "a\tb\"c\\d\ne\rf");
  props.SetList("l", {"x", "y\"z"});
  props.SetObject("o", inner);  // properties never nest
  EXPECT_EQ(props.ToJson(), "{\"l\":[\"x\",\"y\\\"z\"],\"s\":\"a\\tb\\\"c\\\\d\\ne\\rf\"}");
  ObjectNode outer;
  outer.SetObject("o", inner);
  EXPECT_EQ(outer.ToJson(), "{\"o\":{\"k\":\"v\"}}");
}

TEST(ObjectNodeJson, DateTimeIsLocalTimeWithMilliseconds) {
  std::time_t t = 1700000000;
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  char expected[64];
  std::snprintf(expected, sizeof expected, "{\"d\":\"%04d-%02d-%02d %02d:%02d:%02d.005\"}", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  ObjectNode node;
  node.SetDateTime("d", 1700000000, 5);
  EXPECT_EQ(node.ToJson(), expected);
}

TEST(SetString, LengthAndUtf8Rules) {
  struct Case {
    std::string value;
    bool kept;
    const char* message;
  } cases[] = {
      {std::string(8192, 'a'), true, ""},
      {std::string(8193, 'a'), false, "String property 'k' is too long, value: "},
      {"\x7F", false, "is not valid UTF-8 string"},
      {"a\x01", false, "is not valid UTF-8 string"},
      {"\xC0\x80", false, "is not valid UTF-8 string"},
      {"\xED\xA0\x80", false, "is not valid UTF-8 string"},
      {"\xE4\xB8\xAD", true, ""},            // U+4E2D
      {"\xF0\x9F\x98\x80", true, ""},        // U+1F600
      {"\xE4\xB8", false, "is not valid"},   // cut short
      {"\xF4\x90\x80\x80", false, "is not valid"},
      {"tab\there\r\n", true, ""},
  };
  for (const auto& c : cases) {
    PropertiesNode node;
    testing::internal::CaptureStderr();
    node.SetString("k", c.value);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(node.Find("k") != nullptr, c.kept) << c.value.size();
    if (!c.kept) {
      EXPECT_NE(err.find(c.message), std::string::npos) << err;
      EXPECT_EQ(err.back(), '\n');
    } else {
      EXPECT_EQ(err, "");
    }
  }
}

TEST(Validation, NamesAndIds) {
  struct Case {
    std::string name;
    bool ok;
  } names[] = {{"OvEventTask", true}, {"$SignUp", true},     {"_x9", true},  {"9abc", false},
               {"ov-name", false},    {std::string(100, 'a'), true}, {std::string(101, 'a'), false}, {"", false}};
  for (const auto& c : names) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(telemetry_core::CheckName("Event Name", c.name), c.ok) << c.name;
    std::string err = testing::internal::GetCapturedStderr();
    if (c.ok) EXPECT_EQ(err, "");
  }
  testing::internal::CaptureStderr();
  telemetry_core::CheckName("Event Name", "a-b");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "The Event Name need to be a valid variable name.");
  testing::internal::CaptureStderr();
  telemetry_core::CheckName("Property Key", "");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "The Property Key is empty or too long, max length is 100");

  testing::internal::CaptureStderr();
  EXPECT_TRUE(telemetry_core::CheckId("Distinct ID", std::string(255, 'x')));
  EXPECT_FALSE(telemetry_core::CheckId("Distinct ID", std::string(256, 'x')));
  EXPECT_FALSE(telemetry_core::CheckId("Original ID", ""));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "The Distinct ID is too long, max length is 255.\nThe Original ID is empty.\n");
}

TEST(TrackId, DigitComposition) {
  // 98 % 99 + 100 = 198 -> "98"; 5 % 999 + 1000 = 1005 -> "005"; time ...0042 -> "0042".
  EXPECT_EQ(telemetry_core::ComposeTrackId(98, 5, 1700000000042LL), 980050042);
  EXPECT_EQ(telemetry_core::ComposeTrackId(0, 0, 10000), 0);
  EXPECT_EQ(telemetry_core::ComposeTrackId(99, 999, 9999), 9999);  // wraps to 00, 000
  telemetry_core::SeedTrackId(1);
  for (int i = 0; i < 1000; ++i) {
    int64_t id = telemetry_core::NewTrackId();
    EXPECT_GE(id, 0);
    EXPECT_LE(id, 989989999);
  }
}
