// The typed records handed to the tracking operations. Strings are UTF-8.
// Optional numbers are pointers owned by the caller: absent when null.
#pragma once

#include <cstdint>
#include <string>

#include "telemetry/tracker/OvEnums.h"

namespace orvan {
namespace telemetry {

struct OvEventTask {
  std::string aname;
  std::string name;  // required
  std::string reason;
  const float* elapsed = nullptr;
  const OvTaskResult::Value* result = nullptr;
};

struct OvEventClick {
  std::string aname;
  std::string name;  // required
  int clickType = OvClickType::Button;
  std::string title;
  std::string module;
  std::string position;
  const int* tabIndex = nullptr;
  std::string tabName;
  const int* bannerIndex = nullptr;
  std::string bannerName;
};

struct OvEventView {
  std::string aname;
  std::string name;  // required
  std::string title;
  std::string position;
};

struct OvEventCashier {
  std::string cashierName;  // required
  std::string cashierTitle;
  std::string subitem;
};

struct OvEventShare {
  std::string aname;
  std::string channel;
  std::string position;
  std::string sharedName;
  const OvTaskResult::Value* result = nullptr;
};

struct OvEventFile {
  std::string aname;  // required
  std::string name;
  const OvIoType::Value* io = nullptr;
  std::string ext;
  const float* size = nullptr;
  const int* duration = nullptr;
  const float* fps = nullptr;
  const float* bps = nullptr;
  const int* width = nullptr;
  const int* height = nullptr;
  const int* depth = nullptr;
  const OvTaskResult::Value* result = nullptr;
};

struct OvEventOrder {
  std::string orderId;
  std::string subitem;
  std::string sku;
  std::string suitId;                            // required
  const OvCurrency::Value* currency = nullptr;   // required
  float originalAmount = 0;                      // must be above 0
  std::string voucherId;
  float paidAmount = 0;                          // must be above 0
  std::string cashierName;
  std::string cashierTitle;
  const int* campaignCode = nullptr;
  float curOriginalAmount = 0;
  float curPaidAmount = 0;
};

struct OvEventPayment {
  std::string orderId;  // required
  std::string subitem;
  std::string sku;
  const OvCurrency::Value* currency = nullptr;
  float originalAmount = 0;
  const int* campaignCode = nullptr;
  std::string voucherId;
  std::string usedVoucherId;
  float paidAmount = 0;
  std::string suitId;
  std::string cashierName;
  std::string cashierTitle;
  const OvPaidPlatform::Value* paidPlatform = nullptr;
  const OvTaskResult::Value* result = nullptr;  // required: Success or Fail
  const ovIapType::Value* iapType = nullptr;
  float curOriginalAmount = 0;
  float curPaidAmount = 0;
};

struct OvEventUpdate {
  OvUpdateOp::Value operation = OvUpdateOp::UpdateCheck;
  const OvUpdateResult::Value* result = nullptr;
  const float* elapsed = nullptr;
};

struct OvAppOpenNotification {
  std::string msgTitle;  // required
  std::string msgContent;
  std::string linkUrl;
  std::string planId;  // required
  std::string audienceId;
  std::string planStrategyId;
  std::string planType;  // required
  std::string strategyUnitId;
};

struct OvUser {
  std::string userId;
  std::string userName;
  int userType = OvUserType::Unknown;
  std::string nickname;
  std::string portrait;
  std::string mobilePhone;
  std::string email;
  std::string weixin;
  std::string qq;
  std::string did;
  int64_t created = 0;    // seconds
  int64_t lastLogin = 0;  // seconds
  std::string lastIp;
  int vipLevel = 0;
  int64_t vipEndDate = 0;  // seconds
};

}  // namespace telemetry
}  // namespace orvan
