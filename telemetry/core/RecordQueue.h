// The bounded queue of serialised records waiting to be sent, with a
// staging file that carries undelivered records over to the next run.
#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "telemetry/core/BatchSender.h"

namespace telemetry_core {

class RecordQueue {
 public:
  static constexpr size_t kCapacity = 1024;
  static constexpr size_t kBatchSize = 30;

  // stagingPath is a file name in the ANSI code page (may be empty: no staging).
  RecordQueue(const std::string& url, const std::string& stagingPath);
  ~RecordQueue();  // Close()
  RecordQueue(const RecordQueue&) = delete;
  RecordQueue& operator=(const RecordQueue&) = delete;

  void Add(const std::string& record);
  bool Flush();
  bool FlushAll();
  void LoadStaged();
  void DumpStaged();
  void Close();

  size_t Size() const;
  std::vector<std::string> Snapshot() const;  // oldest first

 private:
  void LoadStagedLocked();
  void DumpStagedLocked();

  mutable std::mutex queueLock_;
  std::mutex sendLock_;
  std::deque<std::string> records_;
  std::string stagingPath_;
  bool loadPending_ = true;
  bool closed_ = false;
  std::unique_ptr<BatchSender> sender_;
};

}  // namespace telemetry_core
