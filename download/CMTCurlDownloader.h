// DownloadType 3: the package in one or two byte ranges, each on its own
// connection and thread into its own part file, joined and checked against
// the digest named in the final address.
#pragma once

#include <curl/curl.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "download/CDownloader.h"
#include "utils/Thread.h"

class CMTCurlDownloader;

struct DownloadPartNode {
  FILE* file = nullptr;
  int32_t nextOffset = 0;  // next byte of the package this part still needs
  int32_t lastOffset = 0;  // the part's last byte, inclusive
  CURL* handle = nullptr;
  std::string url;
  std::string partPath;
  int status = -1;  // 0 complete, -1 to do, -2 no part file, else the last curl code
  std::atomic<int64_t> byteCount{0};
  CMTCurlDownloader* owner = nullptr;
  int32_t attemptStart = 0;  // first byte asked for by the running attempt
  bool answerChecked = false;
};

class CMTCurlDownloader : public CDownloader {
 public:
  static constexpr int32_t kMinLength = 256;
  static constexpr int32_t kPartUnit = 10485760;
  static constexpr int kMaxParts = 2;
  static constexpr unsigned kRetryPauseMs = 400;
  static constexpr unsigned kFinishPollMs = 200;
  static constexpr unsigned kPartStartGapMs = 100;

  CMTCurlDownloader(const ReportCallback& report, const std::wstring& url, const std::wstring& packagePath);
  ~CMTCurlDownloader() override;

  void Start() override;

 private:
  void Start_Down();
  bool getRealDownloadUrl(const std::string& url);
  static void downloadThreadFun(DownloadPartNode* node);
  int downloadExe(DownloadPartNode* node);
  void waitForFinishThreadFun();
  static size_t WritePart(char* data, size_t size, size_t count, void* node);
  static int Progress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t);

  bool JoinParts();
  void ReleaseNodes();
  void DeletePartFiles();
  std::string PartPath(int index) const;
  void Report(int32_t code, double value, const std::wstring& text);
  bool Pause(unsigned ms);
  template <class F>
  void StartDetached(F work);

  std::vector<std::unique_ptr<DownloadPartNode>> parts_;
  std::string packagePathA_;  // the package path in the runtime's encoding
  std::string finalUrl_;
  int32_t length_ = 0;
  std::string expectedDigest_;
  std::atomic<double> lastPercent_{0.0};
  std::atomic<int> runningParts_{0};
  std::atomic<int64_t> lastProgressSecond_{0};
  bool retried_ = false;
  std::unique_ptr<Utils::Thread> startThread_;
  // Detached part and finishing threads still using this object.
  std::atomic<int> detached_{0};
  std::atomic<bool> closing_{false};
};
