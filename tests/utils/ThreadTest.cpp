#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>

#include "support/DebugChannel.h"
#include "utils/Thread.h"

namespace {

// Records the debugger names announced in this process; registered first,
// so it sees the naming exception before the handler that accepts it.
std::mutex g_namesLock;
std::map<DWORD, std::string> g_names;

LONG CALLBACK RecordName(EXCEPTION_POINTERS* info) {
  EXCEPTION_RECORD* rec = info->ExceptionRecord;
  if (rec->ExceptionCode == 0x406D1388 && rec->NumberParameters == 4 && rec->ExceptionInformation[0] == 0x1000) {
    std::lock_guard<std::mutex> lock(g_namesLock);
    g_names[(DWORD)rec->ExceptionInformation[2]] = reinterpret_cast<const char*>(rec->ExceptionInformation[1]);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

std::string NameOf(DWORD id) {
  std::lock_guard<std::mutex> lock(g_namesLock);
  auto it = g_names.find(id);
  return it == g_names.end() ? "<none>" : it->second;
}

class ThreadTest : public ::testing::Test {
 protected:
  void SetUp() override { handler_ = AddVectoredExceptionHandler(1, RecordName); }
  void TearDown() override { RemoveVectoredExceptionHandler(handler_); }
  PVOID handler_ = nullptr;
};

}  // namespace

TEST_F(ThreadTest, DebuggerNameIsTheGivenNameOrTPlusId) {
  Utils::Thread named(nullptr, L"DownloadWorker", [](void*) { return 0; });
  Utils::Thread unnamed(nullptr, L"", [](void*) { return 0; });
  ASSERT_NE(named.Handle(), nullptr);
  ASSERT_NE(unnamed.Handle(), nullptr);
  EXPECT_EQ(NameOf(named.Id()), "DownloadWorker");
  EXPECT_EQ(NameOf(unnamed.Id()), "t" + std::to_string(unnamed.Id()));
  EXPECT_TRUE(named.Start());
  EXPECT_TRUE(unnamed.Start());
}

TEST_F(ThreadTest, RunsSuspendedUntilStartThenLogsBeginAndEnd) {
  QvTest::DebugChannel channel;
  ASSERT_TRUE(channel.ok());
  std::atomic<int> runs{0};
  void* seenOwner = nullptr;
  int ownerTag = 0;
  DWORD entryThread = 0;
  {
    Utils::Thread thread(&ownerTag, L"worker", [&](void* owner) {
      seenOwner = owner;
      entryThread = GetCurrentThreadId();
      ++runs;
      return 7;
    });
    DWORD id = thread.Id();
    Sleep(100);
    EXPECT_EQ(runs.load(), 0) << "created suspended";
    ASSERT_TRUE(thread.Start());
    thread.Join();
    EXPECT_EQ(thread.Handle(), nullptr);
    EXPECT_EQ(thread.Id(), static_cast<DWORD>(-1));
    EXPECT_EQ(entryThread, id);
    EXPECT_FALSE(thread.Start()) << "no thread attached any more";
  }
  EXPECT_EQ(runs.load(), 1);
  EXPECT_EQ(seenOwner, &ownerTag);
  ASSERT_TRUE(channel.WaitFor(L"THREAD END", 5000));
  auto begin = channel.Matching(L"THREAD BEGIN");
  auto end = channel.Matching(L"THREAD END");
  ASSERT_EQ(begin.size(), 1u);
  ASSERT_EQ(end.size(), 1u);
  std::wstring tid = std::to_wstring(entryThread);
  EXPECT_NE(begin[0].find(L"(Utils::Thread::CallBack)<"), std::wstring::npos) << begin[0].c_str();
  EXPECT_NE(begin[0].find(L"THREAD BEGIN\r\n"), std::wstring::npos);
  EXPECT_NE(begin[0].find(L"<T" + std::wstring(5 - std::min<size_t>(5, tid.size()), L'0') + tid + L">"),
            std::wstring::npos);
}

TEST_F(ThreadTest, DestructorWaitsForRunningWorkAndReturnsAtOnceWhenDone) {
  std::atomic<bool> finished{false};
  {
    Utils::Thread thread(nullptr, L"slow", [&](void*) {
      Sleep(400);
      finished = true;
      return 0;
    });
    thread.Start();
  }
  EXPECT_TRUE(finished.load()) << "destruction returned before the work did";

  auto thread = std::make_unique<Utils::Thread>(nullptr, L"quick", [](void*) { return 0; });
  thread->Start();
  WaitForSingleObject(thread->Handle(), 5000);
  DWORD before = GetTickCount();
  thread.reset();
  EXPECT_LT(GetTickCount() - before, 1000u);
}

TEST_F(ThreadTest, NeverStartedThreadIsDestroyedWithoutRunningItsWork) {
  std::atomic<bool> ran{false};
  DWORD before = GetTickCount();
  {
    Utils::Thread thread(nullptr, L"unused", [&](void*) {
      ran = true;
      return 0;
    });
    ASSERT_NE(thread.Handle(), nullptr);
  }
  EXPECT_FALSE(ran.load());
  EXPECT_LT(GetTickCount() - before, 5000u);
}

TEST_F(ThreadTest, DirectResumeOfTheHandleRunsTheWorkToo) {
  std::atomic<bool> ran{false};
  {
    Utils::Thread thread(nullptr, L"direct", [&](void*) {
      Sleep(100);
      ran = true;
      return 0;
    });
    ResumeThread(thread.Handle());
  }
  EXPECT_TRUE(ran.load());
}
