#include "telemetry/tracker/NativeTrackLogger.h"

#include <windows.h>

#include <sstream>

#include "utils/TextConvert.h"

namespace orvan {
namespace telemetry {

NativeTrackLogger::~NativeTrackLogger() { Close(); }

void NativeTrackLogger::Open(const std::string& path) {
  if (path == path_) return;
  std::unique_lock<std::mutex> guard(lock_, std::try_to_lock);
  if (!guard.owns_lock()) return;
  if (stream_.is_open()) stream_.close();
  readPosition_ = 0;
  std::wstring wide = Utils::ToWide(path, 65001);
  if (GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) {
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  // The runtime's file functions take names in the ANSI code page.
  stream_.open(Utils::ToNarrow(wide, 0), std::ios::in | std::ios::out | std::ios::app | std::ios::binary);
  path_ = path;
}

void NativeTrackLogger::Close() {
  std::unique_lock<std::mutex> guard(lock_, std::try_to_lock);
  if (!guard.owns_lock()) return;
  if (stream_.is_open()) stream_.close();
  readPosition_ = -1;
}

bool NativeTrackLogger::IsOpen() {
  std::lock_guard<std::mutex> guard(lock_);
  return stream_.is_open();
}

// Journal lines are "kind\ttime\tproperties"; nothing writes them in this program.
void NativeTrackLogger::read(int first, int count, std::vector<Entry>& entries) {
  std::unique_lock<std::mutex> guard(lock_, std::try_to_lock);
  if (!guard.owns_lock() || !stream_.is_open()) return;
  stream_.clear();
  stream_.seekg(0);
  std::string line;
  int index = 0;
  while (static_cast<int>(entries.size()) < count && std::getline(stream_, line)) {
    if (index++ < first) continue;
    std::istringstream fields(line);
    std::string kind, time, properties;
    std::getline(fields, kind, '\t');
    std::getline(fields, time, '\t');
    std::getline(fields, properties);
    entries.emplace_back(kind, time, properties);
  }
  readPosition_ = index;
  stream_.clear();
}

void NativeTrackLogger::clear() {
  std::unique_lock<std::mutex> guard(lock_, std::try_to_lock);
  if (!guard.owns_lock() || path_.empty()) return;
  if (stream_.is_open()) stream_.close();
  std::string ansi = Utils::ToNarrow(Utils::ToWide(path_, 65001), 0);
  { std::ofstream truncate(ansi, std::ios::trunc | std::ios::binary); }
  stream_.open(ansi, std::ios::in | std::ios::out | std::ios::app | std::ios::binary);
  readPosition_ = 0;
}

}  // namespace telemetry
}  // namespace orvan
