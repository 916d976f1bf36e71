#include "telemetry/tracker/OvEnums.h"

#include "telemetry/tracker/OvEventKind.h"
#include "telemetry/tracker/OvException.h"

namespace orvan {
namespace telemetry {

namespace {
template <size_t N>
std::string Pick(const char* const (&table)[N], int value, const std::string& unknown, const char* function) {
  if (value < 0 || value >= static_cast<int>(N)) OV_THROW(function, unknown);
  return table[value];
}
std::string Bracketed(const char* text, int value) { return std::string(text) + " [" + std::to_string(value) + "]!"; }
}  // namespace

std::string EventKindText(int kind) {
  static const char* const kTexts[] = {"Activity", "PaLaunchPal", "Login",   "Click",   "View",
                                       "Cashier",  "Share",       "Task",    "File",    "Order",
                                       "Payment",  "Uninstall",   "Update",  "Crashed", "AppOpenNotification"};
  return Pick(kTexts, kind, "Unknown Event [" + std::to_string(kind) + "]!", "toString");
}

std::string EditionText(int v) {
  static const char* const t[] = {"china", "overseas"};
  return Pick(t, v, Bracketed("Unknown edition", v), "toString");
}

std::string UserTypeText(int v) {
  static const char* const t[] = {"unknown", "mobilephone", "email",  "weixin",      "qq",     "deviceid",
                                  "baidu",   "huawei",      "apple",  "orvanuserid", "google", "facebook"};
  return Pick(t, v, Bracketed("Unknown user type", v), "userType");
}

std::string TaskResultText(int v) {
  static const char* const t[] = {"Success", "Cancelled", "Fail", "Unknown"};
  return Pick(t, v, Bracketed("Unknown task result", v), "toString");
}

std::string ClickTypeText(int v) {
  static const char* const t[] = {"Button", "Banner", "Tutorial", "File", "Others"};
  return Pick(t, v, Bracketed("Unknown ClickType", v), "toString");
}

std::string IoTypeText(int v) {
  static const char* const t[] = {"Input", "Output"};
  return Pick(t, v, "the io type is invalid", "toString");
}

std::string CurrencyText(int v) {
  static const char* const t[] = {"CNY", "USD", "EUR", "HKD", "TWD", "MOP", "SGD", "JPY", "KRW", "INR", "GBP"};
  return Pick(t, v, Bracketed("Unknown currency", v), "toString");
}

std::string PaidPlatformText(int v) {
  static const char* const t[] = {"Alipay",    "WeChatPay", "PayPal",   "Tenpay", "CIECC",
                                  "GooglePay", "HuaweiPay", "AppleIAP", "Paddle", "ChinaUnionPay"};
  return Pick(t, v, Bracketed("Unknown paid platform", v), "toString");
}

std::string IapTypeText(int v) {
  static const char* const t[] = {"Consumable", "NonConsumable", "AutoRenewable", "NonRenewable"};
  return Pick(t, v, Bracketed("Unknown ovIapType", v), "toString");
}

std::string UpdateOpText(int v) {
  static const char* const t[] = {"UpdateCheck", "DownloadStart", "DownloadEnd", "UpgrateStart", "UpgrateEnd"};
  return Pick(t, v, Bracketed("Unknown OvUpdateOp", v), "toString");
}

std::string UpdateResultText(int v) {
  static const char* const t[] = {"Success", "Cancelled", "Timeout", "Fail", "Latest", "Updateable"};
  return Pick(t, v, Bracketed("Unknown OvUpdateResult", v), "toString");
}

}  // namespace telemetry
}  // namespace orvan
