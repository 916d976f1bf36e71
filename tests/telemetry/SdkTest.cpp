// Records built by the analytics core, as they reach the staging queue.
#include <gtest/gtest.h>

#include "telemetry/core/Sdk.h"

using telemetry_core::PropertiesNode;
using telemetry_core::Sdk;

namespace {

class SdkTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Sdk::Init("", "http://127.0.0.1:1/collect?project=pc", "device-1", false)); }
  void TearDown() override { Sdk::Shutdown(); }

  std::vector<std::string> Records() { return Sdk::Instance()->Queue().Snapshot(); }
  std::string Last() {
    auto r = Records();
    return r.empty() ? std::string() : r.back();
  }
  static bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
};

TEST_F(SdkTest, TrackRecordLayout) {
  PropertiesNode super;
  super.SetString("ov_app_id", "Quelvox.downloader");
  Sdk::RegisterSuperProperties(super);
  PropertiesNode p;
  p.SetString("ov_task_name", "t");
  p.SetString("ov_app_id", "mine");  // given entries win over super properties
  ASSERT_TRUE(Sdk::Track("OvEventTask", p));
  std::string r = Last();
  // Keys in byte order: _track_id, distinct_id, event, lib, properties, time, type.
  size_t a = r.find("{\"_track_id\":"), b = r.find(",\"distinct_id\":\"device-1\""),
         c = r.find(",\"event\":\"OvEventTask\""),
         d = r.find(",\"lib\":{\"$lib\":\"cpp\",\"$lib_method\":\"code\",\"$lib_version\":\"0.9\"}"),
         e = r.find(",\"properties\":{\"$lib\":\"cpp\",\"$lib_version\":\"0.9\",\"ov_app_id\":\"mine\",\"ov_task_name\":\"t\"}"),
         f = r.find(",\"time\":"), g = r.find(",\"type\":\"track\"}");
  EXPECT_EQ(a, 0u) << r;
  EXPECT_TRUE(a < b && b < c && c < d && d < e && e < f && f < g && g != std::string::npos) << r;
  EXPECT_FALSE(Has(r, "$is_login_id"));
  EXPECT_FALSE(Has(r, " "));
}

TEST_F(SdkTest, TimeAndProjectAreTakenOutOfTheProperties) {
  PropertiesNode p;
  p.SetDateTime("$time", 1700000000, 5);
  p.SetString("$project", "proj");
  ASSERT_TRUE(Sdk::Track("E", p));
  std::string r = Last();
  EXPECT_TRUE(Has(r, "\"time\":1700000000005,")) << r;
  EXPECT_TRUE(Has(r, "\"project\":\"proj\"")) << r;
  EXPECT_FALSE(Has(r, "$time"));
  EXPECT_FALSE(Has(r, "$project"));

  PropertiesNode empty;
  empty.SetString("$project", "");
  ASSERT_TRUE(Sdk::Track("E", empty));
  EXPECT_FALSE(Has(Last(), "project")) << Last();
}

TEST_F(SdkTest, InvalidRecordsAreDropped) {
  struct Case {
    const char* event;
    PropertiesNode props;
    const char* message;
  };
  std::vector<Case> cases(4);
  cases[0] = {"E", {}, "The property '$time' should be DateTime type."};
  cases[0].props.SetString("$time", "now");
  cases[1] = {"E", {}, "The property '$project' should be String type."};
  cases[1].props.SetNumber("$project", 1);
  cases[2] = {"9lives", {}, "The Event Name need to be a valid variable name."};
  cases[3] = {"E", {}, "The Property Key need to be a valid variable name."};
  cases[3].props.SetString("bad-key", "v");
  for (auto& c : cases) {
    testing::internal::CaptureStderr();
    EXPECT_FALSE(Sdk::Track(c.event, c.props));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), c.message);
  }
  EXPECT_TRUE(Records().empty());

  // A refused string value leaves only that key out.
  PropertiesNode p;
  testing::internal::CaptureStderr();
  p.SetString("long", std::string(8193, 'x'));
  testing::internal::GetCapturedStderr();
  p.SetString("ok", "y");
  EXPECT_TRUE(Sdk::Track("E", p));
  EXPECT_FALSE(Has(Last(), "\"long\""));
  EXPECT_TRUE(Has(Last(), "\"ok\":\"y\""));
}

TEST_F(SdkTest, ProfilesCarryNoEventAndNoSuperProperties) {
  PropertiesNode super;
  super.SetString("ov_sdk", "WindowsCPP");
  Sdk::RegisterSuperProperties(super);
  Sdk::ProfileSet("ov_os", std::string("Windows"));
  Sdk::ProfileSetOnce("ov_first_visit_date", 3);
  Sdk::ProfileIncrement("ov_paid_count", 1);
  Sdk::ProfileAppend("ov_label", "a");
  auto r = Records();
  ASSERT_EQ(r.size(), 4u);
  const char* types[] = {"profile_set", "profile_set_once", "profile_increment", "profile_append"};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_TRUE(Has(r[i], std::string("\"type\":\"") + types[i] + "\"")) << r[i];
    EXPECT_FALSE(Has(r[i], "\"event\"")) << r[i];
    EXPECT_FALSE(Has(r[i], "$lib\":\"cpp\",\"$lib_version")) << r[i];  // no super properties
    EXPECT_FALSE(Has(r[i], "ov_sdk")) << r[i];
  }
  EXPECT_TRUE(Has(r[3], "\"properties\":{\"ov_label\":[\"a\"]}")) << r[3];

  Sdk::SetIdentity("user-7", true);
  Sdk::ProfileSet("ov_os", std::string("Windows"));
  EXPECT_TRUE(Has(Last(), "\"$is_login_id\":true")) << Last();
  EXPECT_TRUE(Has(Last(), "\"distinct_id\":\"user-7\"")) << Last();
}

TEST_F(SdkTest, SignupSwitchesTheIdentity) {
  Sdk::TrackSignup("user-9");
  Sdk::Track("After");
  auto r = Records();
  ASSERT_EQ(r.size(), 2u);
  EXPECT_TRUE(Has(r[0], "\"distinct_id\":\"user-9\",\"event\":\"$SignUp\"")) << r[0];
  EXPECT_TRUE(Has(r[0], "\"original_id\":\"device-1\"")) << r[0];
  EXPECT_TRUE(Has(r[0], "\"type\":\"track_signup\"")) << r[0];
  EXPECT_FALSE(Has(r[0], "$is_login_id"));
  EXPECT_TRUE(Has(r[1], "\"distinct_id\":\"user-9\"")) << r[1];
  EXPECT_TRUE(Has(r[1], "\"$is_login_id\":true")) << r[1];
}

TEST_F(SdkTest, InstallSourceDefaultsToEmpty) {
  Sdk::TrackWithInstallSource("OvEventActivity", PropertiesNode());
  EXPECT_TRUE(Has(Last(), "\"$ios_install_source\":\"\"")) << Last();
  PropertiesNode p;
  p.SetString("$ios_install_source", "given");
  Sdk::TrackWithInstallSource("OvEventActivity", p);
  EXPECT_TRUE(Has(Last(), "\"$ios_install_source\":\"given\"")) << Last();
}

TEST(SdkLifecycle, InitChecksTheIdAndIgnoresASecondInit) {
  testing::internal::CaptureStderr();
  EXPECT_FALSE(Sdk::Init("", "u", std::string(256, 'd'), false));
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "The Distinct ID is too long, max length is 255.\n");
  EXPECT_EQ(Sdk::Instance(), nullptr);
  EXPECT_FALSE(Sdk::Track("E"));  // no instance: ignored

  ASSERT_TRUE(Sdk::Init("", "u", std::string(255, 'd'), false));
  Sdk* first = Sdk::Instance();
  EXPECT_TRUE(Sdk::Init("", "other", "x", true));
  EXPECT_EQ(Sdk::Instance(), first);
  EXPECT_EQ(first->DistinctId(), std::string(255, 'd'));
  Sdk::Shutdown();
  EXPECT_EQ(Sdk::Instance(), nullptr);
}

}  // namespace
