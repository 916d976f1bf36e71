#include "telemetry/tracker/EventProperties.h"

#include <sstream>

#include "telemetry/tracker/OvException.h"

namespace orvan {
namespace telemetry {

namespace {

void Text(PropertiesNode& p, const char* key, const std::string& value) {
  if (!value.empty()) p.SetString(key, value);
}
void Number(PropertiesNode& p, const char* key, const float* value) {
  if (value) p.SetNumber(key, static_cast<double>(*value));
}
void Integer(PropertiesNode& p, const char* key, const int* value) {
  if (value) p.SetNumber(key, *value);
}
void FirstTime(PropertiesNode& p) { p.SetBool("$is_first_time", true); }

std::string Amount(float value) {
  std::ostringstream s;
  s << value;
  return s.str();
}

}  // namespace

PropertiesNode TaskProperties(const OvEventTask& e) {
  if (e.name.empty()) OV_THROW("trackTask", "ovEventTask.name is empty");
  std::string result;
  if (e.result) {
    std::string text = TaskResultText(*e.result);
    if (*e.result <= OvTaskResult::Fail) result = text;
  }
  PropertiesNode p;
  p.SetString("ov_task_name", e.name);
  Number(p, "ov_task_elapsed", e.elapsed);
  Text(p, "ov_task_result", result);
  Text(p, "ov_aname", e.aname);
  Text(p, "ov_reason", e.reason);
  FirstTime(p);
  return p;
}

PropertiesNode ClickProperties(const OvEventClick& e) {
  if (e.name.empty()) OV_THROW("trackClick", "ovEventClick.name is empty");
  std::string type = ClickTypeText(e.clickType);
  PropertiesNode p;
  p.SetString("ov_name", e.name);
  p.SetString("ov_click_type", type);
  Text(p, "ov_aname", e.aname);
  Text(p, "ov_title", e.title);
  Text(p, "ov_position", e.position);
  Text(p, "ov_module", e.module);
  Text(p, "ov_tab_name", e.tabName);
  Integer(p, "ov_tab_index", e.tabIndex);
  Text(p, "ov_banner_name", e.bannerName);
  Integer(p, "ov_banner_index", e.bannerIndex);
  FirstTime(p);
  return p;
}

PropertiesNode ViewProperties(const OvEventView& e) {
  if (e.name.empty()) OV_THROW("trackView", "ovEventView.name is empty");
  PropertiesNode p;
  p.SetString("ov_name", e.name);
  Text(p, "ov_aname", e.aname);
  Text(p, "ov_title", e.title);
  Text(p, "ov_position", e.position);
  FirstTime(p);
  return p;
}

PropertiesNode CashierProperties(const OvEventCashier& e) {
  if (e.cashierName.empty()) OV_THROW("trackCashier", "ovEventCashier.ov_cashier_name is empty");
  PropertiesNode p;
  p.SetString("ov_cashier_name", e.cashierName);
  Text(p, "ov_cashier_title", e.cashierTitle);
  Text(p, "ov_subitem", e.subitem);
  FirstTime(p);
  return p;
}

PropertiesNode ShareProperties(const OvEventShare& e) {
  std::string result = e.result ? TaskResultText(*e.result) : std::string();
  PropertiesNode p;
  Text(p, "ov_aname", e.aname);
  Text(p, "ov_channel", e.channel);
  Text(p, "ov_position", e.position);
  Text(p, "ov_shared_name", e.sharedName);
  Text(p, "ov_result", result);
  FirstTime(p);
  return p;
}

PropertiesNode FileProperties(const OvEventFile& e) {
  if (e.aname.empty()) OV_THROW("trackFile", "ovEventFile.aname is empty");
  std::string io = e.io ? IoTypeText(*e.io) : std::string();
  std::string result;
  if (e.result) {
    std::string text = TaskResultText(*e.result);
    if (*e.result <= OvTaskResult::Fail) result = text;
  }
  PropertiesNode p;
  p.SetString("ov_aname", e.aname);
  Text(p, "ov_io", io);
  Text(p, "ov_result", result);
  Text(p, "ov_name", e.name);
  Text(p, "ov_ext", e.ext);
  if (e.size && *e.size > 0) Number(p, "ov_size", e.size);
  Number(p, "ov_fps", e.fps);
  Number(p, "ov_bps", e.bps);
  Integer(p, "ov_duration", e.duration);
  Integer(p, "ov_width", e.width);
  Integer(p, "ov_height", e.height);
  Integer(p, "ov_depth", e.depth);
  FirstTime(p);
  return p;
}

PropertiesNode OrderProperties(const OvEventOrder& e) {
  if (e.suitId.empty()) OV_THROW("trackOrder", "ovEventOrder.ovSuitId is empty");
  if (!e.currency) OV_THROW("trackOrder", "ovEventOrder.ovCurrency is nullptr");
  if (!(e.originalAmount > 0)) OV_THROW("trackOrder", "ovEventOrder.originalAmount is less than zero");
  if (!(e.paidAmount > 0)) OV_THROW("trackOrder", "ovEventOrder.originalAmount is less than zero");
  std::string currency = CurrencyText(*e.currency);
  PropertiesNode p;
  p.SetString("ov_suit_id", e.suitId);
  p.SetString("ov_currency", currency);
  p.SetNumber("ov_paid_amount", static_cast<double>(e.paidAmount));
  p.SetNumber("ov_original_amount", static_cast<double>(e.originalAmount));
  Text(p, "ov_order_id", e.orderId);
  Text(p, "ov_subitem", e.subitem);
  Text(p, "ov_sku", e.sku);
  Integer(p, "ov_campaign_code", e.campaignCode);
  Text(p, "ov_voucher_id", e.voucherId);
  if (e.curOriginalAmount > 0) p.SetNumber("ov_cur_original_amount", static_cast<double>(e.curOriginalAmount));
  if (e.curPaidAmount > 0) p.SetNumber("ov_cur_paid_amount", static_cast<double>(e.curPaidAmount));
  Text(p, "ov_cashier_name", e.cashierName);
  Text(p, "ov_cashier_title", e.cashierTitle);
  FirstTime(p);
  return p;
}

PropertiesNode PaymentProperties(const OvEventPayment& e) {
  if (e.orderId.empty()) OV_THROW("trackPayment", "ovEventPayment.ovOrderId is empty");
  if (e.paidAmount < 0) OV_THROW("trackPayment", "paidAmount = " + Amount(e.paidAmount) + " is invalid");
  if (e.originalAmount < 0) OV_THROW("trackPayment", "originalAmount = " + Amount(e.originalAmount) + " is invalid");
  if (!e.result || (*e.result != OvTaskResult::Success && *e.result != OvTaskResult::Fail))
    OV_THROW("trackPayment", "ovEventPayment.result is invalid");
  std::string platform = e.paidPlatform ? PaidPlatformText(*e.paidPlatform) : std::string();
  std::string currency = e.currency ? CurrencyText(*e.currency) : std::string();
  std::string result = TaskResultText(*e.result);
  std::string iap = e.iapType ? IapTypeText(*e.iapType) : std::string();
  PropertiesNode p;
  p.SetString("ov_order_id", e.orderId);
  Text(p, "ov_paid_platform", platform);
  Text(p, "ov_currency", currency);
  p.SetNumber("ov_paid_amount", static_cast<double>(e.paidAmount));
  p.SetNumber("ov_original_amount", static_cast<double>(e.originalAmount));
  p.SetString("ov_result", result);
  Text(p, "ov_suit_id", e.suitId);
  Text(p, "ov_iap_type", iap);
  Text(p, "ov_subitem", e.subitem);
  Text(p, "ov_sku", e.sku);
  Text(p, "ov_voucher_id", e.voucherId);
  Text(p, "ov_used_voucher_id", e.usedVoucherId);
  Integer(p, "ov_campaign_code", e.campaignCode);
  if (e.curOriginalAmount > 0) p.SetNumber("ov_cur_original_amount", static_cast<double>(e.curOriginalAmount));
  if (e.curPaidAmount > 0) p.SetNumber("ov_cur_paid_amount", static_cast<double>(e.curPaidAmount));
  Text(p, "ov_cashier_name", e.cashierName);
  Text(p, "ov_cashier_title", e.cashierTitle);
  FirstTime(p);
  return p;
}

PropertiesNode UpdateProperties(const OvEventUpdate& e) {
  std::string op = UpdateOpText(e.operation);
  PropertiesNode p;
  p.SetString("ov_update_op", op);
  switch (e.operation) {
    case OvUpdateOp::UpdateCheck:
      p.SetString("ov_update_result", e.result ? UpdateResultText(*e.result) : std::string());
      break;
    case OvUpdateOp::DownloadEnd:
    case OvUpdateOp::UpgrateEnd: {
      if (!e.result) OV_THROW("trackUpdate", "Unknown updateResultInfo info");
      if (!e.elapsed) OV_THROW("trackUpdate", "invalid elapsed info");
      p.SetString("ov_update_result", UpdateResultText(*e.result));
      p.SetNumber("ov_elapsed", static_cast<double>(*e.elapsed));
      if (e.operation == OvUpdateOp::UpgrateEnd) FirstTime(p);
      break;
    }
    default:
      break;
  }
  return p;
}

PropertiesNode NotificationProperties(const OvAppOpenNotification* n) {
  if (!n) OV_THROW("trackAppOpenNotification", "&appOpenNotification is nullptr");
  if (n->planId.empty()) OV_THROW("trackAppOpenNotification", "planID is emptry");
  if (n->planType.empty()) OV_THROW("trackAppOpenNotification", "planType is emptry");
  if (n->msgTitle.empty()) OV_THROW("trackAppOpenNotification", "msgTitle is emptry");
  PropertiesNode p;
  p.SetString("$sf_msg_title", n->msgTitle);
  p.SetString("$sf_plan_id", n->planId);
  p.SetString("$sf_plan_type", n->planType);
  Text(p, "$sf_msg_content", n->msgContent);
  Text(p, "$sf_link_url", n->linkUrl);
  Text(p, "$sf_audience_id", n->audienceId);
  Text(p, "$sf_plan_strategy_id", n->planStrategyId);
  Text(p, "$sf_strategy_unit_id", n->strategyUnitId);
  FirstTime(p);
  return p;
}

PropertiesNode UninstallProperties(const std::string& reason) {
  PropertiesNode p;
  p.SetString("ov_uninstall_reason", reason);
  return p;
}

PropertiesNode CrashProperties(const std::string& reason) {
  PropertiesNode p;
  Text(p, "app_crashed_reason", reason);
  return p;
}

}  // namespace telemetry
}  // namespace orvan
