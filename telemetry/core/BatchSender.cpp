#include "telemetry/core/BatchSender.h"

#include <cstdio>

#include "telemetry/core/BatchEncoder.h"
#include "telemetry/core/DebugOutput.h"
#include "telemetry/core/LastSendOk.h"

namespace telemetry_core {

bool BatchSender::Send(const std::string& batchText, const HttpHeaders& headers) {
  std::string body;
  if (!BuildBatchBody(batchText, body)) return false;
  HttpResponse response = HttpClient::Post(url_, "", body, headers);
  bool ok = response.status == 200;
  if (!ok) {
    DebugOutput("[telemetry] Telemetry SDK send failed");
    std::fprintf(stderr, "Telemetry SDK send failed: %s\n", response.text.c_str());
  }
  SetLastSendOk(ok);
  return ok;
}

}  // namespace telemetry_core
