#include "support/DebugChannel.h"

namespace QvTest {

DebugChannel::DebugChannel() {
  bufferReady_ = ::CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_BUFFER_READY");
  dataReady_ = ::CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY");
  mapping_ = ::CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, L"DBWIN_BUFFER");
  if (mapping_) view_ = static_cast<const char*>(::MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 4096));
  ok_ = bufferReady_ && dataReady_ && view_;
  if (ok_) thread_ = std::thread([this] { Run(); });
}

DebugChannel::~DebugChannel() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (view_) ::UnmapViewOfFile(view_);
  if (mapping_) ::CloseHandle(mapping_);
  if (dataReady_) ::CloseHandle(dataReady_);
  if (bufferReady_) ::CloseHandle(bufferReady_);
}

void DebugChannel::Run() {
  ::SetEvent(bufferReady_);
  while (!stop_) {
    if (::WaitForSingleObject(dataReady_, 50) != WAIT_OBJECT_0) continue;
    DebugLine line;
    line.pid = *reinterpret_cast<const DWORD*>(view_);
    const char* text = view_ + sizeof(DWORD);
    size_t len = strnlen(text, 4096 - sizeof(DWORD));
    int n = ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(len), nullptr, 0);
    line.text.resize(n > 0 ? n : 0);
    if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(len), &line.text[0], n);
    {
      std::lock_guard<std::mutex> g(lock_);
      lines_.push_back(std::move(line));
    }
    ::SetEvent(bufferReady_);
  }
}

std::vector<DebugLine> DebugChannel::Lines() const {
  std::lock_guard<std::mutex> g(lock_);
  return lines_;
}

std::vector<std::wstring> DebugChannel::Matching(const std::wstring& needle) const {
  std::vector<std::wstring> out;
  std::lock_guard<std::mutex> g(lock_);
  for (const auto& l : lines_)
    if (l.text.find(needle) != std::wstring::npos) out.push_back(l.text);
  return out;
}

bool DebugChannel::WaitFor(const std::wstring& needle, DWORD timeoutMs) const {
  DWORD start = ::GetTickCount();
  for (;;) {
    if (!Matching(needle).empty()) return true;
    if (::GetTickCount() - start >= timeoutMs) return false;
    ::Sleep(20);
  }
}

void DebugChannel::Clear() {
  std::lock_guard<std::mutex> g(lock_);
  lines_.clear();
}

}  // namespace QvTest
