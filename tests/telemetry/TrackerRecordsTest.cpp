// The tracker's pure parts: AB values, context properties, enumeration texts
// and the properties each record becomes.
#include <gtest/gtest.h>

#include <functional>

#include "telemetry/tracker/EventProperties.h"
#include "telemetry/tracker/OvContextProperties.h"
#include "telemetry/tracker/OvEventKind.h"
#include "telemetry/tracker/OvException.h"

using namespace orvan::telemetry;

namespace {

std::string Raised(const std::function<void()>& call, std::string* function = nullptr) {
  try {
    call();
  } catch (const OvException& e) {
    if (function) *function = e.function();
    return e.what();
  }
  return "<nothing raised>";
}

TEST(ABValue, Table) {
  for (const char* ok : {"IN", "A", "B2", "Z9Z"}) EXPECT_TRUE(isValidABValue(ok)) << ok;
  EXPECT_FALSE(isValidABValue(""));
  struct Case {
    const char* value;
    const char* message;
  } bad[] = {{"iN", "First char is not in A to Z"},
             {"1A", "First char is not in A to Z"},
             {"Ab", "second char is not in A to Z and 0 to 9"},
             {"AB-", "third char is not in A to Z and 0 to 9"},
             {"ABCD", "value's length is great than 3."}};
  for (const auto& c : bad) {
    std::string function;
    EXPECT_EQ(Raised([&] { isValidABValue(c.value); }, &function), c.message) << c.value;
    EXPECT_EQ(function, "isValidABValue");
  }
}

TEST(ContextProperties, RegisterAndCopy) {
  OvContextProperties context;
  context.setProperty("ovc_ab", "IN", {OvEvent::Task, OvEvent::Click});
  EXPECT_EQ(Raised([&] { context.setProperty("ovc_ab", "B", {OvEvent::View}); }),
            "Property[ovc_ab] already exist!");
  std::string function;
  EXPECT_EQ(Raised([&] { context.setProperty("other", "x", {7, 15}); }, &function), "OvEvent[15] overflow!");
  EXPECT_EQ(function, "setProperty");
  EXPECT_EQ(context.getEventProperties(7).size(), 2u);  // ovc_ab and other
  EXPECT_EQ(Raised([&] { context.getEventProperties(15); }), "OvEvent[15] overflow!");

  // A context property wins over the record's own field of the same key.
  OvContextProperties overriding;
  overriding.setProperty("ov_task_name", "from-context", {OvEvent::Task});
  OvEventTask task;
  task.name = "own";
  PropertiesNode p = TaskProperties(task);
  EXPECT_TRUE(overriding.CopyInto(OvEvent::Task, p));
  EXPECT_EQ(p.Find("ov_task_name")->text(), "from-context");
  PropertiesNode none;
  EXPECT_FALSE(overriding.CopyInto(OvEvent::View, none));
  EXPECT_TRUE(none.Empty());
}

TEST(EnumTexts, KnownAndUnknown) {
  EXPECT_EQ(EventKindText(14), "AppOpenNotification");
  EXPECT_EQ(Raised([] { EventKindText(15); }), "Unknown Event [15]!");
  EXPECT_EQ(EditionText(1), "overseas");
  EXPECT_EQ(Raised([] { EditionText(2); }), "Unknown edition [2]!");
  std::string function;
  EXPECT_EQ(Raised([] { UserTypeText(12); }, &function), "Unknown user type [12]!");
  EXPECT_EQ(function, "userType");
  EXPECT_EQ(UserTypeText(9), "orvanuserid");
  EXPECT_EQ(Raised([] { IoTypeText(2); }), "the io type is invalid");
  EXPECT_EQ(CurrencyText(10), "GBP");
  EXPECT_EQ(Raised([] { CurrencyText(11); }), "Unknown currency [11]!");
  EXPECT_EQ(PaidPlatformText(9), "ChinaUnionPay");
  EXPECT_EQ(IapTypeText(3), "NonRenewable");
  EXPECT_EQ(Raised([] { IapTypeText(4); }), "Unknown ovIapType [4]!");
  EXPECT_EQ(UpdateOpText(3), "UpgrateStart");
  EXPECT_EQ(Raised([] { UpdateOpText(5); }), "Unknown OvUpdateOp [5]!");
  EXPECT_EQ(UpdateResultText(5), "Updateable");
  EXPECT_EQ(Raised([] { TaskResultText(4); }), "Unknown task result [4]!");
}

TEST(EventRecords, Task) {
  OvEventTask task;
  std::string function;
  EXPECT_EQ(Raised([&] { TaskProperties(task); }, &function), "ovEventTask.name is empty");
  EXPECT_EQ(function, "trackTask");
  task.name = "安装成功";
  float elapsed = 1.5f;
  OvTaskResult::Value result = OvTaskResult::Unknown;
  task.elapsed = &elapsed;
  task.result = &result;
  EXPECT_EQ(TaskProperties(task).ToJson(),
            "{\"$is_first_time\":true,\"ov_task_elapsed\":1.5,\"ov_task_name\":\"安装成功\"}");
  result = OvTaskResult::Cancelled;
  task.reason = "r";
  EXPECT_EQ(TaskProperties(task).Find("ov_task_result")->text(), "Cancelled");
  EXPECT_EQ(TaskProperties(task).Find("ov_reason")->text(), "r");
}

TEST(EventRecords, ClickAndView) {
  OvEventClick click;
  click.name = "立即安装";
  click.clickType = 7;
  EXPECT_EQ(Raised([&] { ClickProperties(click); }), "Unknown ClickType [7]!");
  click.clickType = OvClickType::Button;
  int tab = 2;
  click.tabIndex = &tab;
  EXPECT_EQ(ClickProperties(click).ToJson(),
            "{\"$is_first_time\":true,\"ov_click_type\":\"Button\",\"ov_name\":\"立即安装\",\"ov_tab_index\":2}");
  OvEventView view;
  EXPECT_EQ(Raised([&] { ViewProperties(view); }), "ovEventView.name is empty");
  view.name = "安装中";
  view.title = "t";
  EXPECT_EQ(ViewProperties(view).ToJson(), "{\"$is_first_time\":true,\"ov_name\":\"安装中\",\"ov_title\":\"t\"}");
}

TEST(EventRecords, OrderAndPaymentChecksInOrder) {
  OvEventOrder order;
  EXPECT_EQ(Raised([&] { OrderProperties(order); }), "ovEventOrder.ovSuitId is empty");
  order.suitId = "s";
  EXPECT_EQ(Raised([&] { OrderProperties(order); }), "ovEventOrder.ovCurrency is nullptr");
  OvCurrency::Value usd = OvCurrency::USD;
  order.currency = &usd;
  EXPECT_EQ(Raised([&] { OrderProperties(order); }), "ovEventOrder.originalAmount is less than zero");
  order.originalAmount = 10;
  EXPECT_EQ(Raised([&] { OrderProperties(order); }), "ovEventOrder.originalAmount is less than zero");
  order.paidAmount = 8;
  EXPECT_EQ(OrderProperties(order).Find("ov_currency")->text(), "USD");

  OvEventPayment pay;
  EXPECT_EQ(Raised([&] { PaymentProperties(pay); }), "ovEventPayment.ovOrderId is empty");
  pay.orderId = "o";
  pay.paidAmount = -2;
  pay.originalAmount = -1;
  EXPECT_EQ(Raised([&] { PaymentProperties(pay); }), "paidAmount = -2 is invalid");
  pay.paidAmount = 2;
  EXPECT_EQ(Raised([&] { PaymentProperties(pay); }), "originalAmount = -1 is invalid");
  pay.originalAmount = 3;
  EXPECT_EQ(Raised([&] { PaymentProperties(pay); }), "ovEventPayment.result is invalid");
  OvTaskResult::Value cancelled = OvTaskResult::Cancelled, success = OvTaskResult::Success;
  pay.result = &cancelled;
  EXPECT_EQ(Raised([&] { PaymentProperties(pay); }), "ovEventPayment.result is invalid");
  pay.result = &success;
  PropertiesNode p = PaymentProperties(pay);
  EXPECT_EQ(p.Find("ov_result")->text(), "Success");
  EXPECT_EQ(p.Find("ov_cur_paid_amount"), nullptr);
}

TEST(EventRecords, UpdateByOperation) {
  OvEventUpdate update;
  EXPECT_EQ(UpdateProperties(update).ToJson(), "{\"ov_update_op\":\"UpdateCheck\",\"ov_update_result\":\"\"}");
  update.operation = OvUpdateOp::DownloadStart;
  EXPECT_EQ(UpdateProperties(update).ToJson(), "{\"ov_update_op\":\"DownloadStart\"}");
  update.operation = OvUpdateOp::UpgrateEnd;
  EXPECT_EQ(Raised([&] { UpdateProperties(update); }), "Unknown updateResultInfo info");
  OvUpdateResult::Value latest = OvUpdateResult::Latest;
  update.result = &latest;
  EXPECT_EQ(Raised([&] { UpdateProperties(update); }), "invalid elapsed info");
  float elapsed = 2;
  update.elapsed = &elapsed;
  EXPECT_EQ(UpdateProperties(update).ToJson(),
            "{\"$is_first_time\":true,\"ov_elapsed\":2,\"ov_update_op\":\"UpgrateEnd\",\"ov_update_result\":\"Latest\"}");
  update.operation = static_cast<OvUpdateOp::Value>(5);
  EXPECT_EQ(Raised([&] { UpdateProperties(update); }), "Unknown OvUpdateOp [5]!");
}

TEST(EventRecords, NotificationChecksInOrder) {
  EXPECT_EQ(Raised([] { NotificationProperties(nullptr); }), "&appOpenNotification is nullptr");
  OvAppOpenNotification n;
  n.msgTitle = "t";
  EXPECT_EQ(Raised([&] { NotificationProperties(&n); }), "planID is emptry");
  n.planId = "p";
  EXPECT_EQ(Raised([&] { NotificationProperties(&n); }), "planType is emptry");
  n.planType = "ty";
  n.msgTitle.clear();
  EXPECT_EQ(Raised([&] { NotificationProperties(&n); }), "msgTitle is emptry");
}

TEST(EventRecords, FileWritesOnlyMeaningfulNumbers) {
  OvEventFile file;
  EXPECT_EQ(Raised([&] { FileProperties(file); }), "ovEventFile.aname is empty");
  file.aname = "a";
  float size = 0;
  OvTaskResult::Value unknown = OvTaskResult::Unknown;
  OvIoType::Value out = OvIoType::Output;
  file.size = &size;
  file.result = &unknown;
  file.io = &out;
  EXPECT_EQ(FileProperties(file).ToJson(), "{\"$is_first_time\":true,\"ov_aname\":\"a\",\"ov_io\":\"Output\"}");
}

}  // namespace
