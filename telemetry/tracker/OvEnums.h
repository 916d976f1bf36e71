// The tracker's enumerations and their wire texts. Each *Text function raises
// OvException for a value outside its table.
#pragma once

#include <string>

namespace orvan {
namespace telemetry {

namespace OvEdition { enum Value : int { China = 0, Overseas = 1 }; }
namespace OvUserType {
enum Value : int {
  Unknown = 0, MobilePhone, Email, Weixin, QQ, DeviceId, Baidu, Huawei, Apple, OrvanUserId, Google, Facebook
};
}
namespace OvTaskResult { enum Value : int { Success = 0, Cancelled = 1, Fail = 2, Unknown = 3 }; }
namespace OvClickType { enum Value : int { Button = 0, Banner = 1, Tutorial = 2, File = 3, Others = 4 }; }
namespace OvIoType { enum Value : int { Input = 0, Output = 1 }; }
namespace OvCurrency { enum Value : int { CNY = 0, USD, EUR, HKD, TWD, MOP, SGD, JPY, KRW, INR, GBP }; }
namespace OvPaidPlatform {
enum Value : int {
  Alipay = 0, WeChatPay, PayPal, Tenpay, CIECC, GooglePay, HuaweiPay, AppleIAP, Paddle, ChinaUnionPay
};
}
namespace ovIapType { enum Value : int { Consumable = 0, NonConsumable, AutoRenewable, NonRenewable }; }
namespace OvUpdateOp { enum Value : int { UpdateCheck = 0, DownloadStart, DownloadEnd, UpgrateStart, UpgrateEnd }; }
namespace OvUpdateResult { enum Value : int { Success = 0, Cancelled, Timeout, Fail, Latest, Updateable }; }

std::string EditionText(int value);
std::string UserTypeText(int value);
std::string TaskResultText(int value);
std::string ClickTypeText(int value);
std::string IoTypeText(int value);
std::string CurrencyText(int value);
std::string PaidPlatformText(int value);
std::string IapTypeText(int value);
std::string UpdateOpText(int value);
std::string UpdateResultText(int value);

}  // namespace telemetry
}  // namespace orvan
