#include "telemetry/core/HttpClient.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

#ifdef QV_TELEMETRY_HAVE_CURL
#include <curl/curl.h>
#endif

namespace telemetry_core {

#ifdef QV_TELEMETRY_HAVE_CURL
namespace {

struct CurlHandle {
  CURL* handle = curl_easy_init();
  ~CurlHandle() {
    if (handle) curl_easy_cleanup(handle);
  }
};

struct HeaderList {
  curl_slist* list = nullptr;
  ~HeaderList() {
    if (list) curl_slist_free_all(list);
  }
};

size_t Collect(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

HttpResponse PostOnce(const std::string& url, const std::string& contentType, const std::string& body,
                      const HttpHeaders& headers) {
  CurlHandle curl;
  if (!curl.handle) throw std::runtime_error("Couldn't initialize curl handle");
  HeaderList list;
  for (const auto& header : headers) list.list = curl_slist_append(list.list, (header.first + ": " + header.second).c_str());
  if (!contentType.empty()) list.list = curl_slist_append(list.list, ("Content-Type: " + contentType).c_str());

  std::string response;
  CURL* h = curl.handle;
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_POST, 1L);
  curl_easy_setopt(h, CURLOPT_POSTFIELDS, body.data());
  curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
  curl_easy_setopt(h, CURLOPT_TIMEOUT, 3L);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 0L);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 0L);
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
  curl_easy_setopt(h, CURLOPT_USERAGENT, "OrvanTelemetry CPP SDK 0.9");
  if (list.list) curl_easy_setopt(h, CURLOPT_HTTPHEADER, list.list);
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &response);

  HttpResponse result;
  CURLcode code = curl_easy_perform(h);
  if (code != CURLE_OK) {
    result.status = -1;
    result.text = curl_easy_strerror(code);
  } else {
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    result.status = static_cast<int>(status);
    result.text = response;
  }
  curl_easy_reset(h);
  return result;
}

}  // namespace
#endif

HttpResponse HttpClient::Post(const std::string& url, const std::string& contentType, const std::string& body,
                              const HttpHeaders& headers) {
  try {
#ifdef QV_TELEMETRY_HAVE_CURL
    return PostOnce(url, contentType, body, headers);
#else
    (void)url, (void)contentType, (void)body, (void)headers;
    throw std::runtime_error("Couldn't initialize curl handle");
#endif
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    HttpResponse failed;
    failed.status = -1;
    failed.text = error.what();
    return failed;
  }
}

}  // namespace telemetry_core
