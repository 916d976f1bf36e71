#include "download/CMTCurlDownloader.h"

#include <windows.h>
#include <process.h>

#include <ctime>
#include <functional>

#include "app/InstallerSettings.h"
#include "download/DigestRule.h"
#include "download/RetryBudget.h"
#include "utils/DebugPrint.h"
#include "utils/TextConvert.h"

namespace {

size_t DiscardBody(char*, size_t size, size_t count, void*) { return size * count; }

std::wstring CurlText(int code) { return Utils::ToWide(curl_easy_strerror(static_cast<CURLcode>(code)), 0); }

int64_t FileSize(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

unsigned __stdcall RunDetached(void* work) {
  std::unique_ptr<std::function<void()>> job(static_cast<std::function<void()>*>(work));
  (*job)();
  return 0;
}

}  // namespace

CMTCurlDownloader::CMTCurlDownloader(const ReportCallback& report, const std::wstring& url,
                                     const std::wstring& packagePath)
    : CDownloader(report, url, packagePath), packagePathA_(Utils::ToNarrow(packagePath, 0)) {
  // A run starts from nothing: no package, no part files of an earlier run.
  std::remove(packagePathA_.c_str());
  DeletePartFiles();
}

CMTCurlDownloader::~CMTCurlDownloader() {
  // Part transfers stop at their next progress call and the finishing
  // thread reports nothing once closing is set; wait until no thread uses
  // this object any more.
  closing_ = true;
  startThread_.reset();
  while (detached_.load() > 0) Sleep(20);
  ReleaseNodes();
}

template <class F>
void CMTCurlDownloader::StartDetached(F work) {
  ++detached_;
  auto* job = new std::function<void()>([this, work]() {
    work();
    --detached_;  // the last touch of this object
  });
  uintptr_t handle = _beginthreadex(nullptr, 0, RunDetached, job, 0, nullptr);
  if (handle) {
    CloseHandle(reinterpret_cast<HANDLE>(handle));
  } else {
    delete job;
    --detached_;
  }
}

std::string CMTCurlDownloader::PartPath(int index) const { return packagePathA_ + "_" + std::to_string(index); }

void CMTCurlDownloader::DeletePartFiles() {
  std::remove(PartPath(0).c_str());
  std::remove(PartPath(1).c_str());
}

void CMTCurlDownloader::Report(int32_t code, double value, const std::wstring& text) {
  if (!closing_ && report_) report_(code, value, text);
}

bool CMTCurlDownloader::Pause(unsigned ms) {
  for (unsigned waited = 0; waited < ms && !closing_; waited += 50) Sleep(50);
  return !closing_;
}

void CMTCurlDownloader::Start() {
  startThread_.reset();
  startThread_ = std::make_unique<Utils::Thread>(this, L"ABDEF", [](void* self) {
    static_cast<CMTCurlDownloader*>(self)->Start_Down();
    return 0;
  });
  startThread_->Start();
}

void CMTCurlDownloader::Start_Down() {
  Report(DL_CODE_START, 1.0, L"");
  UTILS_LOG(L"start download\r\n");
  const std::string url = Utils::ToNarrow(url_, url_.compare(0, 8, L"file:///") == 0 ? 0 : 65001);

  std::remove(packagePathA_.c_str());
  if (lastPercent_ == 0) DeletePartFiles();

  if (finalUrl_.empty() || length_ < kMinLength) {
    if (!getRealDownloadUrl(url)) {
      Report(DL_CODE_FAIL, 0, L"LibCurl");
      return;
    }
  }

  int count = length_ / kPartUnit;
  if (count < 1) count = 1;
  if (count > kMaxParts) count = kMaxParts;
  const int32_t share = length_ / count;
  int32_t start = 0;
  ReleaseNodes();
  for (int i = 0; i < count; ++i) {
    auto node = std::make_unique<DownloadPartNode>();
    node->owner = this;
    node->partPath = PartPath(i);
    int64_t present = FileSize(node->partPath);
    if (present < 0) present = 0;
    node->byteCount = present;
    node->nextOffset = static_cast<int32_t>(start + present);
    start += (i == count - 1) ? length_ - share * (count - 1) : share;
    node->lastOffset = start - 1;
    node->handle = curl_easy_init();
    node->url = finalUrl_;
    if (node->lastOffset < node->nextOffset) {
      node->status = 0;
    } else {
      node->status = -1;
      node->file = std::fopen(node->partPath.c_str(), "ab+");
      if (!node->file)
        node->status = -2;
      else
        std::setvbuf(node->file, nullptr, _IOFBF, 1 << 20);  // few large writes
    }
    parts_.push_back(std::move(node));
  }

  for (auto& node : parts_) {
    if (node->status != -1) continue;
    ++runningParts_;
    DownloadPartNode* part = node.get();
    StartDetached([part]() { downloadThreadFun(part); });
    Sleep(kPartStartGapMs);
  }
  StartDetached([this]() { waitForFinishThreadFun(); });
}

bool CMTCurlDownloader::getRealDownloadUrl(const std::string& url) {
  finalUrl_.clear();
  expectedDigest_.clear();
  length_ = 0;
  if (!InstallerSettings::Get().CurlReady) return false;
  CURL* handle = curl_easy_init();
  if (!handle) return false;
  curl_slist* headers = curl_slist_append(nullptr, "Connection: keep-alive");
  CURLcode rc = curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers);
  if (rc == CURLE_OK) rc = curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  if (rc == CURLE_OK) rc = curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 0L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 0L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, DiscardBody);
  if (rc == CURLE_OK) rc = curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 60L);
  if (rc == CURLE_OK) rc = curl_easy_perform(handle);
  if (rc != CURLE_OK) {
    curl_easy_cleanup(handle);
    curl_slist_free_all(headers);
    return false;
  }
  char* where = nullptr;
  if (curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &where) == CURLE_OK && where && *where) {
    finalUrl_ = where;
    UTILS_LOG(L"Download File real url %s\r\n", Utils::ToWide(finalUrl_, 65001).c_str());
    expectedDigest_ = DigestRule::ExpectedDigest(finalUrl_);
  }
  curl_off_t length = -1;
  long status = 0;
  if (curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) == CURLE_OK &&
      curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 && status <= 399) {
    // Packages of 2 GiB or more are outside the design; such a length is
    // refused rather than wrapped.
    length_ = (length > 0x7fffffff) ? 0 : static_cast<int32_t>(length);
    UTILS_LOG(L"Download File Length %lld\r\n", (long long)length);
  }
  curl_easy_cleanup(handle);
  curl_slist_free_all(headers);
  return !finalUrl_.empty() && length_ >= kMinLength;
}

void CMTCurlDownloader::downloadThreadFun(DownloadPartNode* node) {
  CMTCurlDownloader* self = node->owner;
  RetryBudget budget;
  int code = self->downloadExe(node);
  while (code != 0 && budget.Left() > 0 && !self->closing_) {
    budget.Spend(code);
    UTILS_LOG(L"CurlDownLoader Code=%d\r\n", code);
    if (!self->Pause(kRetryPauseMs)) break;
    code = self->downloadExe(node);
  }
  if (node->file) {
    std::fclose(node->file);
    node->file = nullptr;
  }
  --self->runningParts_;
}

int CMTCurlDownloader::downloadExe(DownloadPartNode* node) {
  if (node->nextOffset > node->lastOffset) {
    // The whole range is on disk already (an attempt that failed on the
    // last write); asking for an empty range would only fail again.
    if (node->file) {
      std::fclose(node->file);
      node->file = nullptr;
    }
    node->status = 0;
    return 0;
  }
  char range[64];
  std::snprintf(range, sizeof range, "%ld-%ld", (long)node->nextOffset, (long)node->lastOffset);
  node->attemptStart = node->nextOffset;
  node->answerChecked = false;
  CURL* h = node->handle;
  if (!h) {
    node->status = CURLE_FAILED_INIT;
    return node->status;
  }
  CURLcode rc = curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_URL, node->url.c_str());
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_TIMEOUT, 0L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &CMTCurlDownloader::WritePart);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_WRITEDATA, node);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &CMTCurlDownloader::Progress);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_XFERINFODATA, this);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_FAILONERROR, 1L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, 60L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, 5L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(h, CURLOPT_RANGE, range);
  if (rc != CURLE_OK) {
    node->status = rc;
    return rc;
  }
  rc = curl_easy_perform(h);
  if (rc != CURLE_OK)
    UTILS_LOG(L"error:%d:%s\r\n", (int)rc, CurlText(rc).c_str());
  else
    UTILS_LOG(L"curl_easy_cleanup\r\n");
  curl_easy_reset(h);
  if (rc == CURLE_OK && node->file) {
    std::fclose(node->file);
    node->file = nullptr;
  }
  node->status = rc;
  return rc;
}

size_t CMTCurlDownloader::WritePart(char* data, size_t size, size_t count, void* arg) {
  DownloadPartNode* node = static_cast<DownloadPartNode*>(arg);
  if (!node->answerChecked) {
    // Bytes are appended at the part's next offset, so an answer that does
    // not start there (a server ignoring the range sends the file from its
    // first byte) is refused rather than written into the wrong place.
    node->answerChecked = true;
    long status = 0;
    curl_easy_getinfo(node->handle, CURLINFO_RESPONSE_CODE, &status);
    if (status != 206 && node->attemptStart != 0) return 0;
  }
  if (!node->file || node->nextOffset > node->lastOffset) return 0;
  size_t received = size * count;
  size_t room = static_cast<size_t>(node->lastOffset - node->nextOffset) + 1;
  size_t n = received < room ? received : room;
  size_t written = std::fwrite(data, 1, n, node->file);
  node->nextOffset += static_cast<int32_t>(written);
  node->byteCount += static_cast<int64_t>(written);
  return written;
}

int CMTCurlDownloader::Progress(void* arg, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  CMTCurlDownloader* self = static_cast<CMTCurlDownloader*>(arg);
  if (self->closing_) return 1;  // the downloader is being destroyed
  int64_t now = static_cast<int64_t>(std::time(nullptr));
  if (self->lastProgressSecond_.exchange(now) == now) return 0;
  double percent = 0;
  if (self->length_ >= kMinLength) {
    for (auto& node : self->parts_) {
      int64_t bytes = node->byteCount;
      if (bytes > 0) percent += double(bytes) * 100.0 / double(self->length_);
    }
    if (percent > 100) return 0;
  }
  if (percent - self->lastPercent_ < 1) return 0;
  self->lastPercent_ = percent;
  self->Report(DL_CODE_PROGRESS, percent / 100.0, L"");
  return 0;
}

bool CMTCurlDownloader::JoinParts() {
  FILE* first = std::fopen(PartPath(0).c_str(), "ab");
  if (!first) return false;
  std::setvbuf(first, nullptr, _IOFBF, 1 << 20);
  bool ok = true;
  for (size_t i = 1; i < parts_.size() && ok; ++i) {
    std::string path = PartPath(static_cast<int>(i));
    FILE* part = std::fopen(path.c_str(), "rb");
    if (!part) {
      ok = false;
      break;
    }
    std::setvbuf(part, nullptr, _IOFBF, 1 << 20);
    char block[1024];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, part)) > 0) {
      if (std::fwrite(block, 1, n, first) != n) {
        ok = false;
        break;
      }
    }
    if (std::ferror(part)) ok = false;
    std::fclose(part);
    UTILS_LOG(L"partPath::%s\r\n", Utils::ToWide(path, 0).c_str());
  }
  if (std::fclose(first) != 0) ok = false;
  if (ok) ok = std::rename(PartPath(0).c_str(), packagePathA_.c_str()) == 0;
  DeletePartFiles();
  return ok;
}

void CMTCurlDownloader::waitForFinishThreadFun() {
  while (runningParts_ > 0) Sleep(kFinishPollMs);
  if (closing_) return;
  int firstFailure = 0;
  for (auto& node : parts_) {
    if (node->status != 0) {
      firstFailure = node->status;
      break;
    }
  }
  if (firstFailure == 0) {
    lastPercent_ = 0;
    if (!JoinParts()) {
      // The parts could not be joined into the package: a failed run.
      std::remove(packagePathA_.c_str());
      firstFailure = -2;
    }
  }
  if (firstFailure == 0) {
    DigestResult digest = CheckDigest(finalUrl_, L"mtcurl获取url-md5失败", L"mtcurl文件md5校验失败", firstFailure);
    if (digest == DigestResult::Mismatch) {
      std::remove(packagePathA_.c_str());
      ReleaseNodes();
      if (retried_) {
        UTILS_LOG(L"finish recv, md5 chaek failed and retry failed.\r\n");
        Report(DL_CODE_FAIL, 0, L"LibCurl");
      } else {
        retried_ = true;
        UTILS_LOG(L"finish recv, md5 chaek failed retry once.\r\n");
        Report(DL_CODE_RETRY, 0, L"LibCurl");
      }
      return;
    }
    UTILS_LOG(L"finish recv\r\n");
    ReleaseNodes();
    Report(DL_CODE_SUCCESS, 0, L"LibCurl");
    return;
  }
  ReleaseNodes();
  if (lastPercent_ == 0) DeletePartFiles();
  if (retried_) {
    lastPercent_ = 0;
    Report(DL_CODE_FAIL, firstFailure, L"LibCurl");
  } else {
    retried_ = true;
    Report(DL_CODE_RETRY, firstFailure, L"LibCurl");
  }
}

void CMTCurlDownloader::ReleaseNodes() {
  for (auto& node : parts_) {
    if (node->handle) curl_easy_cleanup(node->handle);
    if (node->file) std::fclose(node->file);
  }
  parts_.clear();
}
