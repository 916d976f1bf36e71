// The common face of the three ways the installer fetches its setup package.
#pragma once

#include <memory>
#include <string>

#include "utils/ReportCallback.h"

enum DownloadCode : int32_t {
  DL_CODE_START = 1001,       // value 1.0, empty text
  DL_CODE_PROGRESS = 1002,    // fraction done
  DL_CODE_SUCCESS = 1003,     // value 0, "LibCurl" or "URLDownloadToFile"
  DL_CODE_FAIL = 1004,        // final; value = failure code
  DL_CODE_RETRY = 1005,       // owner calls Start() again on the same object
  DL_CODE_MD5_NOTICE = 1006,  // a notice about the digest check
};

class CDownloader {
 public:
  CDownloader(const ReportCallback& report, const std::wstring& url, const std::wstring& packagePath)
      : report_(report), url_(url), packagePath_(packagePath) {}
  virtual ~CDownloader() = default;
  CDownloader(const CDownloader&) = delete;
  CDownloader& operator=(const CDownloader&) = delete;

  // Begins a download run on a worker thread and returns at once.
  virtual void Start() = 0;

  // 2: the system URL download service, 3: several ranged connections,
  // anything else: one connection.
  static std::unique_ptr<CDownloader> Create(int downloadType, const ReportCallback& report,
                                             const std::wstring& url, const std::wstring& packagePath);

 protected:
  enum class DigestResult { Accepted, Mismatch };
  // Compares the package's MD5 with the folder of the final address and
  // reports the notice (1006) the comparison calls for. On Mismatch the
  // caller asks for a retry or fails.
  DigestResult CheckDigest(const std::string& finalUrl, const wchar_t* missingNotice,
                           const wchar_t* wrongNotice, double noticeValue);

  ReportCallback report_;
  std::wstring url_;
  std::wstring packagePath_;
};
