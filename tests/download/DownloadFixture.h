// What the download tests share: the test server's address, a recorder of
// downloader reports, and small file helpers.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "utils/ReportCallback.h"

namespace DlTest {

struct Report {
  int32_t code;
  double value;
  std::wstring text;
};

// Collects reports from any thread; Wait() returns once a closing report
// (1003, 1004, 1005 or one of `extra`) has arrived.
class Recorder {
 public:
  ReportCallback Callback();
  bool WaitClosing(DWORD timeoutMs, std::vector<int32_t> closing = {1003, 1004, 1005});
  std::vector<Report> All() const;
  std::vector<int32_t> Codes(bool withProgress = false) const;
  int Count(int32_t code) const;
  void Clear();

 private:
  mutable std::mutex lock_;
  std::condition_variable arrived_;
  std::vector<Report> reports_;
};

// "http://127.0.0.1:<port>" of the download server the fixture started.
std::string ServerBase();
std::wstring ServerBaseW();
// Lines of the server's request journal whose target contains `match`.
std::vector<std::string> Journal(const std::string& match);
std::string ServedMd5(const std::string& name);
// The body of a plain GET (empty on failure).
std::string Fetch(const std::string& url);

// A fresh, empty folder under the build tree (Windows path).
std::wstring ScratchFolder(const std::wstring& name);
bool Exists(const std::wstring& path);
int64_t SizeOf(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
std::string ReadBytes(const std::wstring& path, size_t count);
std::string BuildPath(const std::string& relative);  // Windows form of $QV_BUILD_DIR/relative

}  // namespace DlTest
