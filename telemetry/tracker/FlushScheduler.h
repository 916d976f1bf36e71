// Decides when queued records are sent: now on the caller's thread while the
// last batch went through, otherwise on a detached thread. Shared by the
// tracker and its detached flush jobs, so a job never outlives its state;
// Close() shuts new work out and waits for the jobs still running.
#pragma once

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace orvan {
namespace telemetry {

class FlushScheduler : public std::enable_shared_from_this<FlushScheduler> {
 public:
  void AddPending(int count) { pending_ += count; }
  int Pending() const { return pending_.load(); }

  void RequestFlush(bool now);
  void FlushJob(bool now);
  // The shutdown flush: shuts detached jobs out, waits for those running, then
  // up to three FlushAll attempts while anything is pending. Afterwards no job
  // touches the core; the caller may destroy it.
  void Close();
  // Runs `work` under the flush lock (the core's destruction at shutdown).
  template <typename F>
  void WithFlushLock(F work) {
    std::lock_guard<std::mutex> guard(flushLock_);
    work();
  }

 private:
  bool TryFlushAll();

  std::atomic<int> pending_{0};
  std::mutex flushLock_;
  std::mutex stateLock_;
  std::condition_variable idle_;
  int running_ = 0;  // detached jobs started and not yet finished
  bool closing_ = false;
};

}  // namespace telemetry
}  // namespace orvan
