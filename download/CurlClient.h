// One file over HTTP(S) with libcurl: final address and length by header
// requests, then the body into "<target>.part", resumed across attempts and
// renamed to the target when complete.
#pragma once

#include <curl/curl.h>

#include <atomic>
#include <cstdint>
#include <ctime>
#include <string>

class CurlClient {
 public:
  // (owner, speed in bytes per second, reserved (always 0), percent)
  using ProgressFunction = void (*)(void* owner, double speed, double reserved, double percent);

  static constexpr double kMinLength = 1048576.0;
  enum : int { kPartFileError = -996, kNoHandle = -997, kNoLength = -998 };

  CurlClient(const std::wstring& url, const std::wstring& targetPath, void* owner, ProgressFunction progress);
  ~CurlClient();
  CurlClient(const CurlClient&) = delete;
  CurlClient& operator=(const CurlClient&) = delete;

  // One attempt: 0, a curl code, or one of the negative codes above.
  int Start();

  CURL* Head(const std::string& url);
  double GetDownloadFileLength(CURL* handle);
  double GetDownloadFileLength_Str(const std::string& url);
  std::string GetRealUrl_Str(const std::string& url);
  std::wstring GetFilePath(bool part) const;

  static int ProgressCallback(void* client, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t ulTotal,
                              curl_off_t ulNow);

  const std::string& FinalUrl() const { return finalUrl_; }
  double Length() const { return length_; }
  // Makes a running transfer stop at its next progress call.
  void Abort() { abort_ = true; }

 private:
  void ReportLengthStatus(long status);

  std::wstring url_;
  std::wstring targetPath_;
  void* owner_;
  CURL* transfer_ = nullptr;
  ProgressFunction progress_;
  double length_ = -1.0;
  int64_t resumeOffset_ = -1;
  int64_t lastProgressSecond_ = 0;
  std::atomic<bool> abort_{false};
  std::string finalUrl_;
};
