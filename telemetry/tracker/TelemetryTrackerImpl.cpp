#include "telemetry/tracker/TelemetryTrackerImpl.h"

#include <chrono>
#include <map>

#include "telemetry/core/Sdk.h"
#include "telemetry/tracker/EventProperties.h"
#include "telemetry/tracker/OvException.h"
#include "telemetry/tracker/SystemInfo.h"
#include "utils/TextConvert.h"

#ifndef QV_COLLECT_URL
#define QV_COLLECT_URL "http://127.0.0.1:18274/collect?project=pc"
#endif

namespace orvan {
namespace telemetry {

using telemetry_core::PropertiesNode;
using telemetry_core::Sdk;

namespace {

const char kInstallSource[] = "android_id=123##imei=1234##mac=123";

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch()).count();
}

}  // namespace

TelemetryTrackerImpl::TelemetryTrackerImpl(const TrackerConfig& config)
    : serverUrl_(config.serverUrl), appName_(config.appName), appVersion_(config.appVersion),
      appStore_(config.appStore), dlAppId_(config.dlAppId), dlAppVersion_(config.dlAppVersion),
      edition_(config.edition), context_(new TrackerContext), configuredLogPath_(config.logPath),
      flush_(std::make_shared<FlushScheduler>()) {}

void TelemetryTrackerImpl::init() {
  if (appName_.empty()) OV_THROW("init", "appName is empty");
  if (appVersion_.empty()) OV_THROW("init", "appVersion is empty");
  if (appStore_.empty()) OV_THROW("init", "appStore is empty");
  std::string edition = EditionText(edition_);

  context_->ResolveFiles(appName_, configuredLogPath_);
  filesResolved_ = true;
  if (serverUrl_.empty()) serverUrl_ = QV_COLLECT_URL;
  context_->LoadIdentity();
  context_->SettleIdentity(serverUrl_);

  logger_.reset(new NativeTrackLogger);
  logger_->Open(context_->logPath);

  bool signedIn = context_->isLoggedIn && !context_->userId.empty();
  const std::string& id = signedIn ? context_->userId : context_->distinctId;
  bool hadCore = Sdk::Instance() != nullptr;
  // Undelivered records are staged in a file of their own beside the identity file.
  std::string staging = Utils::ToNarrow(StagingFile(), 0);
  if (!Sdk::Init(staging, serverUrl_, id, signedIn)) OV_THROW("init", "telemetry_core::Sdk::Init is failed");
  ownsCore_ = !hadCore;

  std::string osName, osVersion;
  GetOsNameAndVersion(osName, osVersion);
  PropertiesNode super;
  super.SetString("ov_app_id", appName_);
  super.SetString("$app_version", appVersion_);
  super.SetString("$app_id", appName_);
  super.SetString("ov_app_store", appStore_);
  super.SetString("ov_edition", edition);
  if (!dlAppId_.empty()) super.SetString("ov_dlapp_id", dlAppId_);
  if (!dlAppVersion_.empty()) super.SetString("ov_dlapp_version", dlAppVersion_);
  super.SetString("ov_app_platform", "Windows");
  super.SetString("ov_track_type", "Client");
  super.SetString("ov_sdk_version", "3.3.8");
  super.SetString("ov_sdk", "WindowsCPP");
  super.SetString("$os", osName);
  super.SetString("$os_version", osVersion);
  super.SetNumber("$screen_height", ScreenHeight());
  super.SetNumber("$screen_width", ScreenWidth());
  if (!context_->userId.empty()) super.SetString("ov_user_id", context_->userId);
  Sdk::RegisterSuperProperties(super);
  RegisterLocale();

  context_->SaveAppInfo(appName_, appVersion_, appStore_);
}

TelemetryTrackerImpl::~TelemetryTrackerImpl() {
  if (filesResolved_) context_->SaveIdentity();
  // Shuts the detached flush jobs out and waits for those running, so none
  // of them touches the core after it is gone.
  flush_->Close();
  if (ownsCore_) flush_->WithFlushLock([] { Sdk::Shutdown(); });
  context_.reset();
  if (logger_) logger_->Close();
  logger_.reset();
}

std::wstring TelemetryTrackerImpl::StagingFile() const {
  return context_->dataDirectory.empty() ? std::wstring() : context_->StagingFile(appName_);
}

void TelemetryTrackerImpl::RegisterLocale() {
  std::string language, country, locale;
  const std::string& given = context_->locale;
  size_t split = given.find('_');
  if (!given.empty()) {
    language = given.substr(0, split);
    country = split == std::string::npos ? std::string() : given.substr(split + 1);
    locale = given;
  }
  if (language.empty()) {
    language.clear(), country.clear(), locale.clear();
    GetSystemLocale(language, country, locale);
  }
  PropertiesNode p;
  p.SetString("ov_l10n_locale", locale);
  p.SetString("ov_l10n_language", language);
  p.SetString("ov_l10n_country", country);
  Sdk::RegisterSuperProperties(p);
}

void TelemetryTrackerImpl::setLocale(const std::string& locale) {
  context_->locale = locale;
  RegisterLocale();
}

std::string TelemetryTrackerImpl::getPrimaryDistinctId() { return context_->primaryDistinctId; }

void TelemetryTrackerImpl::Stage(const char* event, int kind, PropertiesNode& properties,
                                 const OvContextProperties& context) {
  context.CopyInto(kind, properties);
  Sdk::Track(event, properties);
}

void TelemetryTrackerImpl::trackTask(const OvEventTask& e, const OvContextProperties& c) {
  PropertiesNode p = TaskProperties(e);
  Stage("OvEventTask", OvEvent::Task, p, c);
  flush_->RequestFlush(false);
}

void TelemetryTrackerImpl::trackClick(const OvEventClick& e, const OvContextProperties& c) {
  PropertiesNode p = ClickProperties(e);
  Stage("OvEventClick", OvEvent::Click, p, c);
  flush_->AddPending(1);
  flush_->RequestFlush(false);
}

void TelemetryTrackerImpl::trackView(const OvEventView& e, const OvContextProperties& c) {
  PropertiesNode p = ViewProperties(e);
  Stage("OvEventView", OvEvent::View, p, c);
  flush_->AddPending(1);
  flush_->RequestFlush(false);
}

void TelemetryTrackerImpl::trackCashier(const OvEventCashier& e, const OvContextProperties& c) {
  PropertiesNode p = CashierProperties(e);
  Stage("OvEventCashier", OvEvent::Cashier, p, c);
  flush_->AddPending(1);
  flush_->RequestFlush(false);
}

void TelemetryTrackerImpl::trackShare(const OvEventShare& e, const OvContextProperties& c) {
  PropertiesNode p = ShareProperties(e);
  Stage("OvEventShare", OvEvent::Share, p, c);
  flush_->AddPending(1);
  flush_->RequestFlush(false);
}

void TelemetryTrackerImpl::trackFile(const OvEventFile& e, const OvContextProperties& c) {
  PropertiesNode p = FileProperties(e);
  Stage("OvEventFile", OvEvent::File, p, c);
  flush_->AddPending(1);
  flush_->RequestFlush(false);
}

void TelemetryTrackerImpl::trackOrder(const OvEventOrder& e, const OvContextProperties& c) {
  PropertiesNode p = OrderProperties(e);
  Stage("OvEventOrder", OvEvent::Order, p, c);
  flush_->AddPending(1);
  flush_->RequestFlush(false);
}

void TelemetryTrackerImpl::trackPayment(const OvEventPayment& e, const OvContextProperties& c) {
  PropertiesNode p = PaymentProperties(e);
  Stage("OvEventPayment", OvEvent::Payment, p, c);
  int64_t now = NowMs();
  ProfileUserPropertyNumber("ov_paid_count", 1, true);
  ProfileUserPropertyNumber("ov_consumption", e.paidAmount, false);
  ProfileUserPropertyDateTime("ov_first_paid_date", now);
  ProfileUserPropertyDateTime("ov_last_paid_date", now);
  flush_->AddPending(4);
  if (*e.result == OvTaskResult::Success) {
    context_->userVipLevel = 1;
    context_->SaveIdentity();
  }
  flush_->RequestFlush(true);
}

void TelemetryTrackerImpl::trackUninstall(const std::string& reason, const OvContextProperties& c) {
  PropertiesNode p = UninstallProperties(reason);
  Stage("OvEventUninstall", OvEvent::Uninstall, p, c);
  flush_->RequestFlush(true);
}

void TelemetryTrackerImpl::trackCrash(const std::string& reason) {
  PropertiesNode p = CrashProperties(reason);
  Sdk::Track("AppCrashed", p);
  flush_->RequestFlush(true);
}

void TelemetryTrackerImpl::trackUpdate(const OvEventUpdate& e, const OvContextProperties& c) {
  PropertiesNode p = UpdateProperties(e);
  Stage("OvEventUpdate", OvEvent::Update, p, c);
  flush_->RequestFlush(true);
}

void TelemetryTrackerImpl::trackAppOpenNotification(const OvAppOpenNotification* n, const OvContextProperties& c) {
  PropertiesNode p = NotificationProperties(n);
  Stage("AppOpenNotification", OvEvent::AppOpenNotification, p, c);
  flush_->RequestFlush(false);
}

void TelemetryTrackerImpl::trackActivity(const OvContextProperties& c) {
  std::string osName, osVersion;
  GetOsNameAndVersion(osName, osVersion);
  PropertiesNode p;
  c.CopyInto(OvEvent::Activity, p);
  p.SetString("ov_app_store", appStore_);
  p.SetString("ov_app_id", appName_);
  p.SetString("$app_id", appName_);
  p.SetString("$app_version", appVersion_);
  p.SetString("$ios_install_source", kInstallSource);
  p.SetString("$user_agent", BuildUserAgent());
  p.SetBool("$is_first_time", true);
  p.SetString("$os", osName);
  p.SetString("$os_version", osVersion);
  Sdk::TrackWithInstallSource("OvEventActivity", p);

  int64_t now = NowMs();
  ProfileUserPropertyDateTime("$first_visit_time", now);
  ProfileUserPropertyDateTime("ov_first_visit_date", now);
  ProfileUserPropertyDateTime("ov_last_visit_date", now);
  ProfileUserPropertyString("ov_os", osName);
  ProfileUserPropertyString("ov_os_version", osVersion);
  ProfileUserPropertyString("ov_app_store", appStore_);
  ProfileUserPropertyString("ov_app_platform", "Windows");
  ProfileUserPropertyString("ov_last_app_id", appName_);
  ProfileUserPropertyString("ov_last_app_version", appVersion_);
  ProfileUserPropertyString("$ios_install_source", kInstallSource);
  flush_->AddPending(9);
  flush_->RequestFlush(true);
}

void TelemetryTrackerImpl::trackLaunch(const OvContextProperties& c) {
  PropertiesNode p;
  c.CopyInto(OvEvent::PaLaunchPal, p);
  Sdk::Track("OvEventLaunch", p);
  if (!context_->userId.empty()) {
    int64_t now = NowMs();
    ProfileUserPropertyDateTime("$first_visit_time", now);
    ProfileUserPropertyDateTime("ov_first_visit_date", now);
    ProfileUserPropertyDateTime("ov_last_visit_date", now);
    flush_->AddPending(4);
  }
  flush_->RequestFlush(true);
}

void TelemetryTrackerImpl::trackLogin(const OvUser& user, bool success, const std::string& reason,
                                      const OvContextProperties& c) {
  std::string type = UserTypeText(user.userType);
  PropertiesNode p;
  if (!user.userId.empty()) {
    p.SetString("ov_user_id", user.userId);
    p.SetString("ov_login_id", user.userId);
  }
  p.SetString("ov_type", type);
  p.SetString("ov_result", success ? "Success" : "Fail");
  if (!reason.empty()) p.SetString("ov_reason", reason);
  if (user.userId.empty()) {
    Stage("OvEventLogin", OvEvent::Login, p, c);
    flush_->RequestFlush(true);
    return;
  }
  p.SetBool("$is_first_time", true);
  Stage("OvEventLogin", OvEvent::Login, p, c);
  {
    std::lock_guard<std::mutex> guard(context_->lock);
    context_->userVipLevel = user.vipLevel;
    if (!context_->isLoggedIn || context_->userId.empty()) {
      Sdk::TrackSignup(user.userId);
      context_->isLoggedIn = true;
      context_->userId = user.userId;
      context_->distinctId = user.userId;
      Sdk::SetIdentity(context_->distinctId, true);
      PropertiesNode super;
      super.SetString("ov_user_id", user.userId);
      Sdk::RegisterSuperProperties(super);
    }
    context_->SaveIdentity();
  }
  flush_->RequestFlush(true);
}

TelemetryTrackerImpl::ProfileOp TelemetryTrackerImpl::ProfileOperation(const std::string& key) {
  static const std::map<std::string, ProfileOp> kOps = [] {
    std::map<std::string, ProfileOp> ops;
    for (const char* k : {"$first_visit_time", "ov_first_visit_date", "$ios_install_source", "ov_first_paid_date"})
      ops[k] = SetOnce;
    for (const char* k : {"ov_visit_count", "ov_paid_count", "ov_consumption"}) ops[k] = Increment;
    for (const char* k :
         {"ov_label", "ov_os", "ov_os_version", "ov_manufacturer", "ov_model", "ov_app_store", "ov_app_platform",
          "ov_last_app_id", "ov_last_app_version", "ov_carrier", "ov_last_visit_date", "aurora_pushid", "ov_user_id",
          "ov_user_name", "ov_user_type", "ov_user_nickname", "ov_user_portrait", "ov_user_mobilephone",
          "ov_user_email", "ov_user_weixin", "ov_user_qq", "ov_user_did", "ov_user_created", "ov_user_last_login",
          "ov_user_last_ip", "ov_user_vip_level", "ov_user_vip_enddate", "idfa", "imei", "android_id", "oaid",
          "ov_ip", "ov_country_code", "ov_country", "ov_province", "ov_city", "ov_last_paid_date"})
      ops[k] = Set;
    return ops;
  }();
  auto it = kOps.find(key);
  if (it == kOps.end()) OV_THROW("ProfileUserProperty", "Not supported user property [" + key + "]!");
  return it->second;
}

void TelemetryTrackerImpl::ProfileUserPropertyString(const std::string& key, const std::string& value) {
  switch (ProfileOperation(key)) {
    case SetOnce: Sdk::ProfileSetOnce(key, value); break;
    case Set: Sdk::ProfileSet(key, value); break;
    case Append: Sdk::ProfileAppend(key, value); break;
    case Increment:
      OV_THROW("ProfileUserPropertyString",
               "user property [" + key + "] is string type value, it cannot be accumulated!");
  }
}

void TelemetryTrackerImpl::ProfileUserPropertyNumber(const std::string& key, double value, bool isInteger) {
  PropertiesNode p;
  if (isInteger)
    p.SetNumber(key, static_cast<int>(value));
  else
    p.SetNumber(key, value);
  switch (ProfileOperation(key)) {
    case SetOnce: Sdk::ProfileSetOnce(p); break;
    case Set: Sdk::ProfileSet(p); break;
    case Increment: Sdk::ProfileIncrement(p); break;
    case Append:
      OV_THROW("ProfileUserPropertyNumber", "user property [" + key + "] is number value, it cannot be append to list!");
  }
}

void TelemetryTrackerImpl::ProfileUserPropertyDateTime(const std::string& key, int64_t milliseconds) {
  int64_t seconds, millis;
  if (milliseconds <= 157789439999LL) {
    seconds = milliseconds;
    millis = 0;
  } else {
    seconds = milliseconds / 1000;
    millis = milliseconds % 1000;
  }
  PropertiesNode p;
  p.SetDateTime(key, seconds, static_cast<int>(millis));
  switch (ProfileOperation(key)) {
    case SetOnce: Sdk::ProfileSetOnce(p); break;
    case Set: Sdk::ProfileSet(p); break;
    case Increment:
      OV_THROW("ProfileUserPropertyDateTime",
               "user property [" + key + "] is boolean value, it cannot be accumulative!");
    case Append:
      OV_THROW("ProfileUserPropertyDateTime",
               "user property [" + key + "] is boolean value, it cannot be append to list!");
  }
}

}  // namespace telemetry
}  // namespace orvan
