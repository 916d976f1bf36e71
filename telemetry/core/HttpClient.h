// One POST through libcurl, its own handle per call.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace telemetry_core {

struct HttpResponse {
  int status = -1;   // HTTP status, or -1 when the request failed below HTTP
  std::string text;  // the body, or the error description
};

using HttpHeaders = std::vector<std::pair<std::string, std::string>>;

class HttpClient {
 public:
  // 3-second time-out, no redirects, no TLS verification, user agent
  // "OrvanTelemetry CPP SDK 0.9"; Content-Type only when contentType is non-empty.
  static HttpResponse Post(const std::string& url, const std::string& contentType, const std::string& body,
                           const HttpHeaders& headers);
};

}  // namespace telemetry_core
