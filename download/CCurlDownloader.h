// The default downloader: one HTTP connection through CurlClient, with the
// transfer retry budget and the package's digest check.
#pragma once

#include <atomic>
#include <memory>

#include "download/CDownloader.h"
#include "download/CurlClient.h"
#include "utils/Thread.h"

class CCurlDownloader : public CDownloader {
 public:
  static constexpr unsigned kRetryPauseMs = 500;

  CCurlDownloader(const ReportCallback& report, const std::wstring& url, const std::wstring& packagePath);
  ~CCurlDownloader() override;

  void Start() override;

  static void Progress(void* owner, double speed, double reserved, double percent);

 private:
  int dlThreadFun();
  void Run();
  void Report(int32_t code, double value, const std::wstring& text);
  bool Pause(unsigned ms);

  CurlClient client_;
  std::unique_ptr<Utils::Thread> worker_;
  bool retried_ = false;
  // Start() called on the worker itself (the retry asked for by 1005): the
  // worker runs once more when the current run has ended.
  std::atomic<bool> rerun_{false};
  std::atomic<bool> closing_{false};
};
