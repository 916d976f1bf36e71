// What the runner tests share: the stand-in programs from the build, a
// temporary folder with blanks in its name, scenario files and a thread-safe
// record of the reports.
#pragma once

#include <windows.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "utils/ReportCallback.h"

namespace InstallTest {

struct Rep {
  int32_t code;
  double value;
  std::wstring text;
  bool operator==(const Rep& o) const { return code == o.code && value == o.value && text == o.text; }
};
void PrintTo(const Rep& r, std::ostream* os);

class Reports {
 public:
  ReportCallback Callback();
  std::vector<Rep> All() const;
  // Waits until a report with this code has arrived.
  bool WaitFor(int32_t code, int timeoutMs) const;
  // Called on the runner's thread when a report with this code arrives.
  void OnReport(int32_t code, std::function<void()> hook);

 private:
  mutable std::mutex lock_;
  mutable std::condition_variable changed_;
  std::vector<Rep> reports_;
  int32_t hookCode_ = 0;
  std::function<void()> hook_;
};

// "Z:\..." form of a Linux path from the test environment.
std::wstring WindowsPath(const std::string& linuxPath);
std::wstring BuildPath(const char* relative);  // below QV_BUILD_DIR
bool FileExists(const std::wstring& path);
std::string ReadUtf8File(const std::wstring& path);
void WriteUtf8File(const std::wstring& path, const std::string& text);
void RemoveTree(const std::wstring& path);

// A fresh folder "qv install test <pid>-<n>" under the temporary folder,
// removed with its content afterwards; clears the scenario variables.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::wstring& Path() const { return path_; }
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// Writes a scenario file and names it in the variable the child reads.
void UseScenario(const wchar_t* variable, const std::wstring& file, const std::string& text);

}  // namespace InstallTest
