#include "RunnerFixture.h"

#include <cstdlib>
#include <ostream>

#include <gtest/gtest.h>

#include "utils/TextConvert.h"

namespace InstallTest {

void PrintTo(const Rep& r, std::ostream* os) {
  *os << "{" << r.code << ", " << r.value << ", " << ::testing::PrintToString(r.text) << "}";
}

ReportCallback Reports::Callback() {
  return [this](int32_t code, double value, const std::wstring& text) {
    std::function<void()> hook;
    {
      std::lock_guard<std::mutex> hold(lock_);
      reports_.push_back({code, value, text});
      if (code == hookCode_) hook = hook_;
    }
    if (hook) hook();
    changed_.notify_all();
  };
}

std::vector<Rep> Reports::All() const {
  std::lock_guard<std::mutex> hold(lock_);
  return reports_;
}

bool Reports::WaitFor(int32_t code, int timeoutMs) const {
  std::unique_lock<std::mutex> hold(lock_);
  return changed_.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] {
    for (const Rep& r : reports_)
      if (r.code == code) return true;
    return false;
  });
}

void Reports::OnReport(int32_t code, std::function<void()> hook) {
  std::lock_guard<std::mutex> hold(lock_);
  hookCode_ = code;
  hook_ = std::move(hook);
}

std::wstring WindowsPath(const std::string& linuxPath) {
  std::wstring path = L"Z:" + Utils::ToWide(linuxPath, CP_UTF8);
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

std::wstring BuildPath(const char* relative) {
  const char* build = std::getenv("QV_BUILD_DIR");
  return WindowsPath(std::string(build ? build : ".") + "/" + relative);
}

bool FileExists(const std::wstring& path) {
  DWORD a = ::GetFileAttributesW(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadUtf8File(const std::wstring& path) {
  std::string bytes;
  HANDLE f = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(f);
  return bytes;
}

void WriteUtf8File(const std::wstring& path, const std::string& text) {
  HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE) << Utils::ToNarrow(path, CP_UTF8);
  DWORD written = 0;
  ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  ::CloseHandle(f);
}

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        ::DeleteFileW(child.c_str());
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
  }
  ::RemoveDirectoryW(path.c_str());
}

TempFolder::TempFolder() {
  static int counter = 0;
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"qv install test " + std::to_wstring(::GetCurrentProcessId()) + L"-" +
          std::to_wstring(++counter);
  RemoveTree(path_);
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  ::SetEnvironmentVariableW(L"QV_SETUP_SCENARIO", nullptr);
  ::SetEnvironmentVariableW(L"QV_UNINST_SCENARIO", nullptr);
  RemoveTree(path_);
}

void UseScenario(const wchar_t* variable, const std::wstring& file, const std::string& text) {
  WriteUtf8File(file, text);
  ::SetEnvironmentVariableW(variable, file.c_str());
}

}  // namespace InstallTest
