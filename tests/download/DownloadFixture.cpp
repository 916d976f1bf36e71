#include "DownloadFixture.h"

#include <curl/curl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "utils/TextConvert.h"

namespace DlTest {

ReportCallback Recorder::Callback() {
  return [this](int32_t code, double value, const std::wstring& text) {
    std::lock_guard<std::mutex> hold(lock_);
    reports_.push_back(Report{code, value, text});
    arrived_.notify_all();
  };
}

bool Recorder::WaitClosing(DWORD timeoutMs, std::vector<int32_t> closing) {
  std::unique_lock<std::mutex> hold(lock_);
  return arrived_.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] {
    for (const Report& r : reports_)
      for (int32_t c : closing)
        if (r.code == c) return true;
    return false;
  });
}

std::vector<Report> Recorder::All() const {
  std::lock_guard<std::mutex> hold(lock_);
  return reports_;
}

std::vector<int32_t> Recorder::Codes(bool withProgress) const {
  std::vector<int32_t> out;
  for (const Report& r : All())
    if (withProgress || r.code != 1002) out.push_back(r.code);
  return out;
}

int Recorder::Count(int32_t code) const {
  int n = 0;
  for (const Report& r : All()) n += r.code == code;
  return n;
}

void Recorder::Clear() {
  std::lock_guard<std::mutex> hold(lock_);
  reports_.clear();
}

std::string ServerBase() {
  const char* port = std::getenv("QV_DL_PORT");
  return std::string("http://127.0.0.1:") + (port ? port : "18300");
}

std::wstring ServerBaseW() { return Utils::ToWide(ServerBase(), 65001); }

namespace {

size_t Collect(char* data, size_t size, size_t count, void* out) {
  static_cast<std::string*>(out)->append(data, size * count);
  return size * count;
}

}  // namespace

std::string Fetch(const std::string& url) {
  std::string body;
  CURL* h = curl_easy_init();
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
  curl_easy_setopt(h, CURLOPT_TIMEOUT, 120L);
  curl_easy_perform(h);
  curl_easy_cleanup(h);
  return body;
}

std::vector<std::string> Journal(const std::string& match) {
  std::vector<std::string> lines;
  std::istringstream in(Fetch(ServerBase() + "/_log?match=" + match));
  std::string line;
  while (std::getline(in, line))
    if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string ServedMd5(const std::string& name) {
  std::string text = Fetch(ServerBase() + "/_md5?name=" + name);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

std::string BuildPath(const std::string& relative) {
  const char* base = std::getenv("QV_BUILD_DIR");
  std::string path = "Z:" + std::string(base ? base : "/tmp") + "/" + relative;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::wstring ScratchFolder(const std::wstring& name) {
  std::wstring folder = Utils::ToWide(BuildPath("tests/download/scratch"), 0);
  CreateDirectoryW(folder.c_str(), nullptr);
  folder += L"\\" + name;
  // Empty it (one level is all the tests create).
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring entry = found.cFileName;
      if (entry != L"." && entry != L"..") DeleteFileW((folder + L"\\" + entry).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int64_t SizeOf(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (int64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::string ReadBytes(const std::wstring& path, size_t count) {
  std::string out(count, '\0');
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return std::string();
  out.resize(std::fread(&out[0], 1, count, f));
  std::fclose(f);
  return out;
}

}  // namespace DlTest
