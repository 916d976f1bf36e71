// The started tracker against the test collector: events, identity file,
// journal, failed calls, and records carried over to the next run.
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "CollectorFiles.h"
#include "support/DebugChannel.h"
#include "telemetry/tracker/TelemetryTrackerWrapper.h"
#include "telemetry/tracker/Tracker.h"

using namespace orvan::telemetry;
using namespace TelemetryTest;

namespace {

const char kApp[] = "Quelvox.downloader";

std::wstring ExeDir() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p(path, n);
  return p.substr(0, p.find_last_of(L'\\') + 1);
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }  // ASCII paths

std::string IniValue(const std::string& file, const char* section, const char* key) {
  char buffer[256] = {0};
  GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, file.c_str());
  return buffer;
}

class TrackerEndToEnd : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    // Set.ini beside the test program points the tracker at its own folder,
    // written with forward slashes as some installers do.
    dataDir = Narrow(ExeDir()) + "trackerdata\\";
    std::string identity = dataDir + kApp + "_OVSConfigure.ini";
    std::string slashed = identity;
    for (auto& ch : slashed)
      if (ch == '\\') ch = '/';
    WritePrivateProfileStringA("Install", "OVTelemetryIni", slashed.c_str(), (Narrow(ExeDir()) + "Set.ini").c_str());
  }
  void SetUp() override {
    c = Collector::FromEnv();
    c.Mode("ok");
    c.Reset();
    for (const char* f : {"_OVSConfigure.ini", "_OVSLog.txt", "_OVSRecords.txt"})
      DeleteFileA((dataDir + kApp + f).c_str());
  }
  void TearDown() override {
    StopTracker();
    c.Mode("ok");
  }

  TrackerConfig Config() const {
    TrackerConfig config;
    config.appName = kApp;
    config.appVersion = "1.7.9";
    config.appStore = "QuelvoxSetup.exe";
    config.dlAppId = "Quelvox";
    config.serverUrl = c.url;
    return config;
  }
  std::string Identity() const { return dataDir + kApp + "_OVSConfigure.ini"; }
  std::string Staging() const { return dataDir + kApp + "_OVSRecords.txt"; }

  // What the installer's hooks send.
  static void SendInstallerEvents(const std::string& taskName) {
    auto tracker = GetTracker();
    ASSERT_TRUE(tracker);
    {
      OvContextProperties context;
      if (isValidABValue("IN")) context.setProperty("ovc_ab", "IN", {OvEvent::Task});
      OvEventTask task;
      task.name = taskName;
      float elapsed = 2.5f;
      OvTaskResult::Value result = OvTaskResult::Success;
      task.elapsed = &elapsed;
      task.result = &result;
      tracker->trackTask(task, context);
    }
    {
      OvContextProperties context;
      context.setProperty("ovc_ab", "IN", {OvEvent::Click});
      OvEventClick click;
      click.name = "立即安装";
      tracker->trackClick(click, context);
    }
    {
      OvContextProperties context;
      context.setProperty("ovc_ab", "IN", {OvEvent::View});
      OvEventView view;
      view.name = "安装中";
      tracker->trackView(view, context);
    }
  }

  static std::string dataDir;
  Collector c;
};
std::string TrackerEndToEnd::dataDir;

TEST_F(TrackerEndToEnd, EventsArriveWithSuperPropertiesAndIdentity) {
  QvTest::DebugChannel debug;
  StartTracker(Config());
  SendInstallerEvents("安装成功");
  StopTracker();

  auto records = c.Records();
  ASSERT_EQ(records.size(), 3u);
  std::string distinct = IniValue(Identity(), "Base", "DistinctId");
  ASSERT_EQ(distinct.size(), 36u);
  const char* events[] = {"\"event\":\"OvEventTask\"", "\"event\":\"OvEventClick\"", "\"event\":\"OvEventView\""};
  for (size_t i = 0; i < 3; ++i) {
    const std::string& r = records[i];
    EXPECT_TRUE(Has(r, events[i])) << r;
    for (const char* part :
         {"\"$lib\":\"cpp\"", "\"$lib_version\":\"0.9\"", "\"$is_first_time\":true", "\"ovc_ab\":\"IN\"",
          "\"ov_sdk_version\":\"3.3.8\"", "\"ov_sdk\":\"WindowsCPP\"", "\"ov_app_id\":\"Quelvox.downloader\"",
          "\"$app_id\":\"Quelvox.downloader\"", "\"$app_version\":\"1.7.9\"", "\"ov_app_store\":\"QuelvoxSetup.exe\"",
          "\"ov_edition\":\"china\"", "\"ov_dlapp_id\":\"Quelvox\"", "\"ov_app_platform\":\"Windows\"",
          "\"ov_track_type\":\"Client\"", "\"$os\":\"Windows\"", "\"$os_version\":", "\"$screen_width\":",
          "\"ov_l10n_locale\":", "\"lib\":{\"$lib\":\"cpp\",\"$lib_method\":\"code\",\"$lib_version\":\"0.9\"}"})
      EXPECT_TRUE(Has(r, part)) << part << " in " << r;
    EXPECT_TRUE(Has(r, "\"distinct_id\":\"" + distinct + "\"")) << r;
    EXPECT_FALSE(Has(r, "ov_dlapp_version")) << r;
  }
  EXPECT_TRUE(Has(records[0], "\"ov_task_name\":\"安装成功\""));
  EXPECT_TRUE(Has(records[0], "\"ov_task_result\":\"Success\""));
  EXPECT_TRUE(Has(records[1], "\"ov_click_type\":\"Button\""));
  // The first flush request ran on a detached thread.
  EXPECT_TRUE(debug.WaitFor(L"[Telemetry] Sending messages asynchronously", 2000));

  // Identity file of a first run; the journal exists and is empty.
  EXPECT_EQ(IniValue(Identity(), "Base", "PrimaryDistinctId"), distinct);
  EXPECT_EQ(IniValue(Identity(), "Base", "UserId"), "");
  EXPECT_EQ(IniValue(Identity(), "Base", "isLogined"), "NG");
  EXPECT_EQ(IniValue(Identity(), "Base", "URL"), c.url);
  EXPECT_EQ(IniValue(Identity(), "UninstallInfo", "AppName"), kApp);
  EXPECT_EQ(IniValue(Identity(), "UninstallInfo", "AppStore"), "QuelvoxSetup.exe");
  std::string log = dataDir + kApp + "_OVSLog.txt";
  ASSERT_NE(GetFileAttributesA(log.c_str()), INVALID_FILE_ATTRIBUTES);
  WriteText(log, "kept");

  // A second run keeps the identity and the journal's contents.
  StartTracker(Config());
  EXPECT_EQ(GetTracker()->getPrimaryDistinctId(), distinct);
  StopTracker();
  EXPECT_EQ(IniValue(Identity(), "Base", "DistinctId"), distinct);
  EXPECT_EQ(IniValue(Identity(), "Base", "PrimaryDistinctId"), distinct);
  EXPECT_EQ(ReadLines(log), std::vector<std::string>{"kept"});
}

TEST_F(TrackerEndToEnd, FailedCallsStageNothing) {
  StartTracker(Config());
  auto tracker = GetTracker();
  OvContextProperties context;
  testing::internal::CaptureStdout();
  tracker->trackTask(OvEventTask(), context);
  OvEventClick click;
  click.name = "x";
  click.clickType = 7;
  tracker->trackClick(click, context);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "Failed to trackTask\nFailed to trackClick\n");
  OvEventView view;
  view.name = "安装中";
  tracker->trackView(view, context);  // one good event, so the shutdown flushes
  tracker.reset();
  StopTracker();
  auto records = c.Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_TRUE(Has(records[0], "OvEventView"));
}

TEST_F(TrackerEndToEnd, FailedStartStillInstallsATrackerThatStagesNothing) {
  TrackerConfig config = Config();
  config.appStore.clear();  // "appStore is empty"
  StartTracker(config);
  auto tracker = GetTracker();
  ASSERT_TRUE(tracker);
  testing::internal::CaptureStdout();
  SendInstallerEvents("x");
  tracker->trackTask(OvEventTask(), OvContextProperties());  // no journal: nothing printed
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  tracker.reset();
  StopTracker();
  EXPECT_TRUE(c.Records().empty());
  EXPECT_EQ(GetFileAttributesA(Identity().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(TrackerEndToEnd, UndeliveredRecordsArriveOnceOnTheNextRun) {
  c.Mode("refuse");
  StartTracker(Config());
  SendInstallerEvents("first-run");
  testing::internal::CaptureStderr();
  StopTracker();
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(ReadLines(Staging()).size(), 3u);

  c.Mode("ok");
  StartTracker(Config());
  SendInstallerEvents("second-run");
  StopTracker();
  auto records = c.Records();
  ASSERT_EQ(records.size(), 6u);
  std::set<std::string> ids;
  for (const auto& r : records) ids.insert(r.substr(0, r.find(',')));  // "_track_id" leads every record
  // The staged records go first, then this run's.
  EXPECT_TRUE(Has(records[0], "\"ov_task_name\":\"first-run\"")) << records[0];
  EXPECT_TRUE(Has(records[3], "\"ov_task_name\":\"second-run\"")) << records[3];
  EXPECT_EQ(ids.size(), 6u);
  EXPECT_TRUE(ReadLines(Staging()).empty());

  // Nothing is sent twice by a later run.
  StartTracker(Config());
  OvContextProperties context;
  OvEventClick click;
  click.name = "third";
  GetTracker()->trackClick(click, context);
  StopTracker();
  EXPECT_EQ(c.Records().size(), 7u);
}

TEST_F(TrackerEndToEnd, ShutdownWaitsForDetachedFlushJobs) {
  c.Mode("refuse");
  StartTracker(Config());
  SendInstallerEvents("slow-run");
  testing::internal::CaptureStderr();
  GetTracker()->trackUninstall("r1", OvContextProperties());  // fails: later flushes leave the caller
  c.Mode("slow");
  QvTest::DebugChannel debug;
  GetTracker()->trackUninstall("r2", OvContextProperties());
  EXPECT_TRUE(debug.WaitFor(L"[Telemetry] Sending messages asynchronously", 2000));
  Sleep(300);  // the detached job is waiting on the slow collector
  std::thread heal([this] {
    Sleep(1500);
    c.Mode("ok");
  });
  StopTracker();  // waits for the job, then delivers everything once
  testing::internal::GetCapturedStderr();
  heal.join();
  auto records = c.Records();
  ASSERT_EQ(records.size(), 5u);
  EXPECT_TRUE(Has(records[3], "\"ov_uninstall_reason\":\"r1\"")) << records[3];
  EXPECT_TRUE(Has(records[4], "\"ov_uninstall_reason\":\"r2\"")) << records[4];
  EXPECT_TRUE(ReadLines(Staging()).empty());
}

TEST_F(TrackerEndToEnd, LoginSwitchesTheIdentityOnceAndACrashFlushesAtOnce) {
  StartTracker(Config());
  auto tracker = GetTracker();
  std::string device = tracker->getPrimaryDistinctId();
  OvContextProperties context;
  OvEventClick click;
  click.name = "立即安装";
  tracker->trackClick(click, context);  // something pending
  OvUser user;
  user.userId = "u-1";
  user.userType = OvUserType::Email;
  tracker->trackLogin(user, true, "", context);
  OvUser other;
  other.userId = "u-2";
  // An immediate flush sends only while something counts as pending, so a
  // click goes before each of the next two calls.
  tracker->trackClick(click, context);
  tracker->trackLogin(other, false, "busy", context);  // signed in already: no switch
  tracker->trackClick(click, context);
  tracker->trackCrash("崩溃");
  // The crash's immediate flush delivers without waiting for shutdown.
  std::vector<std::string> records;
  for (int i = 0; i < 100 && records.size() < 7; ++i, Sleep(50)) records = c.Records();
  ASSERT_EQ(records.size(), 7u);
  EXPECT_TRUE(Has(records[1], "\"distinct_id\":\"" + device + "\",\"event\":\"OvEventLogin\"")) << records[1];
  EXPECT_TRUE(Has(records[1], "\"ov_login_id\":\"u-1\"")) << records[1];
  EXPECT_TRUE(Has(records[1], "\"ov_type\":\"email\"")) << records[1];
  EXPECT_TRUE(Has(records[2], "\"distinct_id\":\"u-1\",\"event\":\"$SignUp\"")) << records[2];
  EXPECT_TRUE(Has(records[2], "\"original_id\":\"" + device + "\"")) << records[2];
  EXPECT_TRUE(Has(records[4], "\"distinct_id\":\"u-1\",\"event\":\"OvEventLogin\"")) << records[4];
  EXPECT_TRUE(Has(records[4], "\"$is_login_id\":true")) << records[4];
  EXPECT_TRUE(Has(records[4], "\"ov_result\":\"Fail\"")) << records[4];
  EXPECT_TRUE(Has(records[4], "\"ov_login_id\":\"u-2\"")) << records[4];
  EXPECT_TRUE(Has(records[4], "\"ov_user_id\":\"u-2\"")) << records[4];  // the event's own field
  EXPECT_TRUE(Has(records[5], "\"ov_user_id\":\"u-1\"")) << records[5];  // the super property stays
  EXPECT_TRUE(Has(records[6], "\"event\":\"AppCrashed\"")) << records[6];
  EXPECT_TRUE(Has(records[6], "\"app_crashed_reason\":\"崩溃\"")) << records[6];
  EXPECT_FALSE(Has(records[6], "$is_first_time")) << records[6];
  tracker.reset();
  StopTracker();
  EXPECT_EQ(IniValue(Identity(), "Base", "UserId"), "u-1");
  EXPECT_EQ(IniValue(Identity(), "Base", "DistinctId"), "u-1");
  EXPECT_EQ(IniValue(Identity(), "Base", "PrimaryDistinctId"), device);
  EXPECT_EQ(IniValue(Identity(), "Base", "isLogined"), "OK");

  // The next run starts signed in as u-1.
  StartTracker(Config());
  GetTracker()->trackClick(click, context);
  StopTracker();
  records = c.Records();
  ASSERT_EQ(records.size(), 8u);
  EXPECT_TRUE(Has(records[7], "\"distinct_id\":\"u-1\"")) << records[7];
  EXPECT_TRUE(Has(records[7], "\"$is_login_id\":true")) << records[7];
}

TEST_F(TrackerEndToEnd, ActivityStagesItsProfileUpdates) {
  StartTracker(Config());
  GetTracker()->trackActivity(OvContextProperties());
  StopTracker();
  auto records = c.Records();
  ASSERT_EQ(records.size(), 11u);
  EXPECT_TRUE(Has(records[0], "\"event\":\"OvEventActivity\"")) << records[0];
  EXPECT_TRUE(Has(records[0], "\"$ios_install_source\":\"android_id=123##imei=1234##mac=123\"")) << records[0];
  EXPECT_TRUE(Has(records[0], "\"$user_agent\":\"Mozilla/5.0(Windows ")) << records[0];
  EXPECT_TRUE(Has(records[1], "\"type\":\"profile_set_once\"")) << records[1];
  EXPECT_TRUE(Has(records[1], "\"$first_visit_time\":\"")) << records[1];
  EXPECT_TRUE(Has(records[3], "\"type\":\"profile_set\"")) << records[3];
  EXPECT_TRUE(Has(records[4], "\"ov_os\":\"Windows\"")) << records[4];
  EXPECT_TRUE(Has(records[10], "\"type\":\"profile_set_once\"")) << records[10];
  for (size_t i = 1; i < records.size(); ++i) EXPECT_FALSE(Has(records[i], "\"event\"")) << records[i];
}

TEST_F(TrackerEndToEnd, PaymentStagesItsProfileUpdatesAndRaisesTheVipLevel) {
  StartTracker(Config());
  OvEventPayment pay;
  pay.orderId = "o-1";
  pay.paidAmount = 12.5f;
  pay.originalAmount = 20;
  OvTaskResult::Value success = OvTaskResult::Success;
  OvCurrency::Value cny = OvCurrency::CNY;
  pay.result = &success;
  pay.currency = &cny;
  GetTracker()->trackPayment(pay, OvContextProperties());
  std::vector<std::string> records;
  for (int i = 0; i < 100 && records.size() < 5; ++i, Sleep(50)) records = c.Records();  // sent at once
  ASSERT_EQ(records.size(), 5u);
  EXPECT_TRUE(Has(records[0], "\"ov_paid_amount\":12.5")) << records[0];
  EXPECT_TRUE(Has(records[0], "\"ov_currency\":\"CNY\"")) << records[0];
  EXPECT_TRUE(Has(records[1], "\"properties\":{\"ov_paid_count\":1}")) << records[1];
  EXPECT_TRUE(Has(records[1], "\"type\":\"profile_increment\"")) << records[1];
  EXPECT_TRUE(Has(records[2], "\"properties\":{\"ov_consumption\":12.5}")) << records[2];
  EXPECT_TRUE(Has(records[3], "\"type\":\"profile_set_once\"")) << records[3];
  EXPECT_TRUE(Has(records[4], "\"ov_last_paid_date\":\"")) << records[4];
  StopTracker();
  EXPECT_EQ(IniValue(Identity(), "Base", "UserVipLevel"), "1");
}

TEST_F(TrackerEndToEnd, DefaultEndpointAndLocale) {
  TrackerConfig config = Config();
  config.serverUrl.clear();
  StartTracker(config);
  StopTracker();  // nothing pending: nothing is sent
  EXPECT_EQ(IniValue(Identity(), "Base", "URL"), QV_COLLECT_URL);

  StartTracker(Config());
  GetTracker()->setLocale("en_US");
  OvEventView view;
  view.name = "安装中";
  GetTracker()->trackView(view, OvContextProperties());
  StopTracker();
  auto records = c.Records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_TRUE(Has(records[0], "\"ov_l10n_country\":\"US\",\"ov_l10n_language\":\"en\",\"ov_l10n_locale\":\"en_US\""))
      << records[0];
}

}  // namespace
