// Reads the debugger channel the way a debug-output viewer does (the
// DBWIN_BUFFER protocol), so tests can assert the exact lines that this
// process and its children write with OutputDebugString.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace QvTest {

struct DebugLine {
  DWORD pid;
  std::wstring text;  // decoded from the ANSI code page the writer used
};

class DebugChannel {
 public:
  DebugChannel();   // starts listening at once
  ~DebugChannel();
  DebugChannel(const DebugChannel&) = delete;
  DebugChannel& operator=(const DebugChannel&) = delete;

  bool ok() const { return ok_; }
  std::vector<DebugLine> Lines() const;
  // Lines whose text contains `needle`.
  std::vector<std::wstring> Matching(const std::wstring& needle) const;
  // Waits until a line containing `needle` has arrived; true if it did.
  bool WaitFor(const std::wstring& needle, DWORD timeoutMs) const;
  void Clear();

 private:
  void Run();
  HANDLE bufferReady_ = nullptr, dataReady_ = nullptr, mapping_ = nullptr;
  const char* view_ = nullptr;
  bool ok_ = false;
  std::atomic<bool> stop_{false};
  mutable std::mutex lock_;
  std::vector<DebugLine> lines_;
  std::thread thread_;
};

}  // namespace QvTest
