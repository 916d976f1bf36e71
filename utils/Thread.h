// A named worker thread: created suspended, runs one callable with its
// owner pointer, logs "THREAD BEGIN"/"THREAD END". Destroying the object
// waits for the thread, so an owner must never destroy it from inside the
// thread's own entry.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace Utils {

class Thread {
 public:
  using Entry = std::function<int(void* owner)>;

  Thread(void* owner, const std::wstring& name, Entry entry);
  ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Resumes the thread; false when there is no thread or resuming failed.
  bool Start();
  // Waits for the thread without time limit and detaches it (handle null, id -1).
  void Join();

  HANDLE Handle() const { return handle_; }
  DWORD Id() const { return id_; }

  static unsigned __stdcall CallBack(void* self);

 private:
  DWORD id_ = static_cast<DWORD>(-1);
  HANDLE handle_ = nullptr;
  Entry entry_;
  void* owner_ = nullptr;
  std::wstring name_;
  // Set when the object is destroyed before anyone resumed the thread: the
  // thread then ends without running the entry.
  volatile LONG cancelled_ = 0;
};

// Announces a thread's name to an attached debugger (exception 0x406D1388,
// handled at once, so nothing happens without a debugger). An empty name
// becomes "t" followed by the thread id.
void SetThreadDebuggerName(DWORD threadId, const std::wstring& name);

}  // namespace Utils
