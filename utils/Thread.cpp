#include "utils/Thread.h"

#include <process.h>

#include "utils/DebugPrint.h"
#include "utils/TextConvert.h"

namespace Utils {

namespace {

const DWORD kSetThreadNameCode = 0x406D1388;

#pragma pack(push, 8)
struct ThreadNameInfo {
  DWORD type;        // 0x1000
  LPCSTR name;       // narrow, ANSI code page
  DWORD threadId;
  DWORD flags;       // 0
};
#pragma pack(pop)

// The handler that accepts the naming exception. It is registered last, so
// a debugger and any earlier handler still see the exception first.
LONG CALLBACK AcceptThreadName(EXCEPTION_POINTERS* info) {
  if (info && info->ExceptionRecord && info->ExceptionRecord->ExceptionCode == kSetThreadNameCode)
    return EXCEPTION_CONTINUE_EXECUTION;
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

void SetThreadDebuggerName(DWORD threadId, const std::wstring& name) {
  std::string narrow = ToNarrow(name, 0);
  if (narrow.empty()) narrow = "t" + std::to_string(threadId);
  ThreadNameInfo info{0x1000, narrow.c_str(), threadId, 0};
  PVOID handler = ::AddVectoredExceptionHandler(0, AcceptThreadName);
  if (!handler) return;
  ::RaiseException(kSetThreadNameCode, 0, sizeof(info) / sizeof(ULONG_PTR),
                   reinterpret_cast<const ULONG_PTR*>(&info));
  ::RemoveVectoredExceptionHandler(handler);
}

Thread::Thread(void* owner, const std::wstring& name, Entry entry)
    : entry_(std::move(entry)), owner_(owner), name_(name) {
  unsigned id = 0;
  uintptr_t h = _beginthreadex(nullptr, 0, &Thread::CallBack, this, CREATE_SUSPENDED, &id);
  if (h == 0) return;
  handle_ = reinterpret_cast<HANDLE>(h);
  id_ = id;
  SetThreadDebuggerName(id_, name_);
}

Thread::~Thread() {
  if (handle_) {
    // A thread that nobody resumed would make the wait below endless: let it
    // run to its end without calling the entry.
    DWORD previous = ::SuspendThread(handle_);
    if (previous != static_cast<DWORD>(-1)) {
      if (previous > 0) ::InterlockedExchange(&cancelled_, 1);
      ::ResumeThread(handle_);
      if (previous > 0) ::ResumeThread(handle_);
    }
  }
  Join();
  name_.clear();
  entry_ = nullptr;
}

bool Thread::Start() {
  if (!handle_) return false;
  return ::ResumeThread(handle_) != static_cast<DWORD>(-1);
}

void Thread::Join() {
  if (!handle_) return;
  ::WaitForSingleObject(handle_, INFINITE);
  ::CloseHandle(handle_);
  handle_ = nullptr;
  id_ = static_cast<DWORD>(-1);
}

unsigned __stdcall Thread::CallBack(void* self) {
  Thread* thread = static_cast<Thread*>(self);
  if (::InterlockedCompareExchange(&thread->cancelled_, 0, 0)) return 0;
  UTILS_LOG(L"THREAD BEGIN\r\n");
  if (thread->entry_) thread->entry_(thread->owner_);
  UTILS_LOG(L"THREAD END\r\n");
  return 0;
}

}  // namespace Utils
