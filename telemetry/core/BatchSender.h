// Posts one batch of records to the collection endpoint.
#pragma once

#include <string>

#include "telemetry/core/HttpClient.h"

namespace telemetry_core {

class BatchSender {
 public:
  explicit BatchSender(std::string url) : url_(std::move(url)) {}
  // True when the endpoint answered 200; sets LastSendOk after every request.
  bool Send(const std::string& batchText, const HttpHeaders& headers);
  const HttpHeaders& Headers() const { return headers_; }
  const std::string& Url() const { return url_; }

 private:
  std::string url_;
  HttpHeaders headers_;
};

}  // namespace telemetry_core
