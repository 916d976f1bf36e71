#include "download/CCurlDownloader.h"

#include <windows.h>

#include <cstdio>

#include "download/RetryBudget.h"
#include "utils/DebugPrint.h"
#include "utils/TextConvert.h"

CCurlDownloader::CCurlDownloader(const ReportCallback& report, const std::wstring& url,
                                 const std::wstring& packagePath)
    : CDownloader(report, url, packagePath), client_(url, packagePath, this, &CCurlDownloader::Progress) {
  // A part file left by an earlier installer run is not resumed.
  std::remove(Utils::ToNarrow(client_.GetFilePath(true), 0).c_str());
}

CCurlDownloader::~CCurlDownloader() {
  // Stop a running transfer and wait for the worker before the client and
  // the callback go away; a closing downloader reports nothing more.
  closing_ = true;
  client_.Abort();
  worker_.reset();
}

void CCurlDownloader::Start() {
  if (worker_ && worker_->Id() == GetCurrentThreadId()) {
    rerun_ = true;
    return;
  }
  worker_.reset();
  worker_ = std::make_unique<Utils::Thread>(this, L"ABDEF", [](void* self) {
    static_cast<CCurlDownloader*>(self)->Run();
    return 0;
  });
  worker_->Start();
}

void CCurlDownloader::Run() {
  do {
    rerun_ = false;
    dlThreadFun();
  } while (rerun_ && !closing_);
}

void CCurlDownloader::Report(int32_t code, double value, const std::wstring& text) {
  if (!closing_ && report_) report_(code, value, text);
}

bool CCurlDownloader::Pause(unsigned ms) {
  for (unsigned waited = 0; waited < ms && !closing_; waited += 50) Sleep(50);
  return !closing_;
}

void CCurlDownloader::Progress(void* owner, double speed, double, double percent) {
  if (speed > 0 && percent <= 100) static_cast<CCurlDownloader*>(owner)->Report(DL_CODE_PROGRESS, percent / 100.0, L"");
}

int CCurlDownloader::dlThreadFun() {
  Report(DL_CODE_START, 1.0, L"");
  RetryBudget budget;
  int result = client_.Start();
  while (result != 0) {
    if (budget.Spend(result) <= 0) {
      Report(DL_CODE_FAIL, result, L"LibCurl");
      return 0;
    }
    UTILS_LOG(L"CurlDownLoader Code=%d\r\n", result);
    if (!Pause(kRetryPauseMs)) return 0;
    result = client_.Start();
  }
  if (closing_) return 0;
  if (CheckDigest(client_.FinalUrl(), L"curl获取url-md5失败", L"curl文件md5校验失败", 0) == DigestResult::Accepted) {
    Report(DL_CODE_SUCCESS, 0, L"LibCurl");
  } else if (retried_) {
    Report(DL_CODE_FAIL, 0, L"LibCurl");
  } else {
    retried_ = true;
    Report(DL_CODE_RETRY, 0, L"LibCurl");
  }
  return 0;
}
