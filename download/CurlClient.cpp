#include "download/CurlClient.h"

#include <windows.h>

#include <cstdio>

#include "app/ReportHooks.h"
#include "utils/DebugPrint.h"
#include "utils/TextConvert.h"

namespace {

size_t DiscardBody(char*, size_t size, size_t count, void*) { return size * count; }

size_t WriteToFile(char* data, size_t size, size_t count, void* file) {
  return std::fwrite(data, size, count, static_cast<FILE*>(file));
}

std::wstring CurlText(int code) { return Utils::ToWide(curl_easy_strerror(static_cast<CURLcode>(code)), 0); }

// The options every header-only request uses, in this order.
CURLcode SetHeaderOptions(CURL* handle, const std::string& url, bool follow) {
  CURLcode rc = curl_easy_setopt(handle, CURLOPT_URL, url.c_str());
  if (rc == CURLE_OK)
    rc = follow ? curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L) : curl_easy_setopt(handle, CURLOPT_HEADER, 1L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(handle, CURLOPT_NOBODY, 1L);
  if (rc == CURLE_OK) rc = curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, DiscardBody);
  if (rc == CURLE_OK) rc = curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, 60L);
  return rc;
}

int64_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// A "file:///" address names a local file in the runtime's encoding.
std::string NarrowUrl(const std::wstring& url) {
  return Utils::ToNarrow(url, url.compare(0, 8, L"file:///") == 0 ? 0 : 65001);
}

}  // namespace

CurlClient::CurlClient(const std::wstring& url, const std::wstring& targetPath, void* owner,
                       ProgressFunction progress)
    : url_(url), targetPath_(targetPath), owner_(owner), progress_(progress) {}

CurlClient::~CurlClient() {
  std::remove(Utils::ToNarrow(GetFilePath(true), 0).c_str());
  abort_ = true;
}

std::wstring CurlClient::GetFilePath(bool part) const { return part ? targetPath_ + L".part" : targetPath_; }

void CurlClient::ReportLengthStatus(long status) {
  wchar_t reason[200];
  swprintf(reason, 200, L"1.获取文件大小的状态码为=%ld；", status);
  App::ReportTask(L"下载失败原因", 0.0f, reason, App::ReportProperties{{L"AB", L"IN"}});
}

CURL* CurlClient::Head(const std::string& url) {
  CURL* handle = curl_easy_init();
  if (!handle) return nullptr;
  CURLcode rc = SetHeaderOptions(handle, url, true);
  if (rc == CURLE_OK) rc = curl_easy_perform(handle);
  if (rc != CURLE_OK) UTILS_LOG(L"error:%d:%s\r\n", (int)rc, CurlText(rc).c_str());
  UTILS_LOG(L"error:%d:%s\r\n", (int)rc, CurlText(rc).c_str());
  return handle;
}

double CurlClient::GetDownloadFileLength(CURL* handle) {
  curl_off_t length = -1;
  if (curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK) length = -1;
  long status = 0;
  if (curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK && status >= 200 && status <= 399)
    return static_cast<double>(length);
  ReportLengthStatus(status);
  return -1.0;
}

double CurlClient::GetDownloadFileLength_Str(const std::string& url) {
  CURL* handle = curl_easy_init();
  if (!handle) return -1.0;
  CURLcode rc = SetHeaderOptions(handle, url, false);
  if (rc == CURLE_OK) rc = curl_easy_perform(handle);
  if (rc != CURLE_OK) UTILS_LOG(L"error:%d:%s\r\n", (int)rc, CurlText(rc).c_str());
  curl_off_t length = -1;
  if (curl_easy_getinfo(handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK) length = -1;
  long status = 0;
  if (curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK || status < 200 || status > 399)
    ReportLengthStatus(status);
  curl_easy_cleanup(handle);
  return static_cast<double>(length);
}

std::string CurlClient::GetRealUrl_Str(const std::string& url) {
  std::string effective;
  CURL* handle = curl_easy_init();
  if (handle) {
    CURLcode rc = SetHeaderOptions(handle, url, true);
    if (rc == CURLE_OK) rc = curl_easy_perform(handle);
    if (rc != CURLE_OK) {
      UTILS_LOG(L"error:%d:%s\r\n", (int)rc, CurlText(rc).c_str());
    } else {
      char* where = nullptr;
      if (curl_easy_getinfo(handle, CURLINFO_EFFECTIVE_URL, &where) == CURLE_OK && where) effective = where;
    }
    curl_easy_cleanup(handle);
  }
  return effective.empty() ? url : effective;
}

int CurlClient::Start() {
  UTILS_LOG(L"start download\r\n");
  const std::wstring partPathW = GetFilePath(true);
  const std::string partPath = Utils::ToNarrow(partPathW, 0);
  const std::string targetPath = Utils::ToNarrow(targetPath_, 0);
  const std::string url = NarrowUrl(url_);
  int result = 0;
  FILE* file = nullptr;
  curl_slist* headers = nullptr;

  if (finalUrl_.empty() || length_ < kMinLength) {
    if (CURL* head = Head(url)) {
      char* where = nullptr;
      finalUrl_ = (curl_easy_getinfo(head, CURLINFO_EFFECTIVE_URL, &where) == CURLE_OK && where) ? where : "";
      length_ = GetDownloadFileLength(head);
      curl_easy_cleanup(head);
    }
    if (finalUrl_.empty() || length_ < kMinLength) {
      finalUrl_ = GetRealUrl_Str(url);
      if (!finalUrl_.empty()) length_ = GetDownloadFileLength_Str(finalUrl_);
      if (length_ < kMinLength) result = kNoLength;
    }
  }

  if (result == 0) {
    transfer_ = curl_easy_init();
    if (!transfer_) {
      result = kNoHandle;
    } else if (!(file = std::fopen(partPath.c_str(), "ab+"))) {
      result = kPartFileError;
    } else {
      // Few large writes instead of one per received chunk.
      std::setvbuf(file, nullptr, _IOFBF, 1 << 20);
    }
  }

  if (result == 0) {
    headers = curl_slist_append(headers, "Connection: keep-alive");
    headers = curl_slist_append(headers, "Accept-Encoding: gzip, deflate");
    CURLcode rc = curl_easy_setopt(transfer_, CURLOPT_HTTPHEADER, headers);
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_TCP_KEEPALIVE, 1L);
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_TCP_KEEPIDLE, 10L);
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_TCP_KEEPINTVL, 10L);
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_TIMEOUT, 0L);
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_URL, finalUrl_.c_str());
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_FOLLOWLOCATION, 1L);
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_WRITEFUNCTION, WriteToFile);
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_WRITEDATA, file);
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_NOPROGRESS, 0L);
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_XFERINFOFUNCTION, &CurlClient::ProgressCallback);
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_XFERINFODATA, this);
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_FAILONERROR, 1L);
    if (rc == CURLE_OK) rc = curl_easy_setopt(transfer_, CURLOPT_CONNECTTIMEOUT, 60L);
    resumeOffset_ = FileSize(partPathW);
    if (rc == CURLE_OK && resumeOffset_ > 0)
      rc = curl_easy_setopt(transfer_, CURLOPT_RESUME_FROM_LARGE, (curl_off_t)resumeOffset_);
    result = rc;
    if (rc == CURLE_OK) result = curl_easy_perform(transfer_);
  }

  UTILS_LOG(L"error:%d:%s\r\n", result, CurlText(result).c_str());
  if (transfer_) {
    curl_easy_cleanup(transfer_);
    transfer_ = nullptr;
  }
  if (headers) curl_slist_free_all(headers);
  if (file) std::fclose(file);

  if (result == 0) {
    DeleteFileW(targetPath_.c_str());
    MoveFileW(partPathW.c_str(), targetPath_.c_str());
  }
  (void)targetPath;
  UTILS_LOG(L"end download\r\n");
  return result;
}

int CurlClient::ProgressCallback(void* data, curl_off_t dlTotal, curl_off_t dlNow, curl_off_t, curl_off_t) {
  CurlClient* self = static_cast<CurlClient*>(data);
  if (self->abort_) return 1;
  int64_t now = static_cast<int64_t>(std::time(nullptr));
  if (now == self->lastProgressSecond_) return 0;
  self->lastProgressSecond_ = now;

  curl_off_t speed = 0;
  if (self->transfer_) curl_easy_getinfo(self->transfer_, CURLINFO_SPEED_DOWNLOAD_T, &speed);
  double percent;
  if (self->length_ > kMinLength)
    percent = (double(dlNow) + double(self->resumeOffset_)) / self->length_ * 100.0;
  else if (dlTotal > 0 && dlNow > 0)
    percent = double(dlNow) * 100.0 / double(dlTotal);
  else
    return 0;
  if (percent != 0 && self->progress_) self->progress_(self->owner_, double(speed), 0, percent);
  if (dlTotal != 0)
    UTILS_LOG(L" %dM %dM   progress:%f%%  speed:%f \n", (int)(dlNow / 1048576), (int)(dlTotal / 1048576), percent,
              (double)(float)((float)speed / 1024.0f));
  return 0;
}
