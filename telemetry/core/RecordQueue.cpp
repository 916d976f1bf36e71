#include "telemetry/core/RecordQueue.h"

#include <cstdio>
#include <exception>
#include <fstream>

namespace telemetry_core {

RecordQueue::RecordQueue(const std::string& url, const std::string& stagingPath)
    : stagingPath_(stagingPath), sender_(new BatchSender(url)) {}

RecordQueue::~RecordQueue() { Close(); }

void RecordQueue::Add(const std::string& record) {
  std::lock_guard<std::mutex> guard(queueLock_);
  records_.push_back(record);
  while (records_.size() > kCapacity) records_.pop_front();
}

size_t RecordQueue::Size() const {
  std::lock_guard<std::mutex> guard(queueLock_);
  return records_.size();
}

std::vector<std::string> RecordQueue::Snapshot() const {
  std::lock_guard<std::mutex> guard(queueLock_);
  return std::vector<std::string>(records_.begin(), records_.end());
}

void RecordQueue::LoadStaged() {
  std::lock_guard<std::mutex> guard(queueLock_);
  LoadStagedLocked();
}

void RecordQueue::LoadStagedLocked() {
  if (!loadPending_) return;
  size_t free = kCapacity - records_.size();
  if (free > 0 && !stagingPath_.empty()) {
    std::deque<std::string> kept;
    std::ifstream in(stagingPath_, std::ios::binary);
    std::string line;
    while (in && std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty() || line.front() != '{' || line.back() != '}') continue;
      kept.push_back(line);
      if (kept.size() > free) kept.pop_front();
    }
    records_.insert(records_.begin(), kept.begin(), kept.end());
  }
  if (!stagingPath_.empty()) std::ofstream truncate(stagingPath_, std::ios::binary | std::ios::trunc);
  loadPending_ = false;
}

void RecordQueue::DumpStaged() {
  std::lock_guard<std::mutex> guard(queueLock_);
  DumpStagedLocked();
}

void RecordQueue::DumpStagedLocked() {
  if (stagingPath_.empty()) return;
  std::ofstream out(stagingPath_, std::ios::binary | std::ios::trunc);
  for (const auto& record : records_) out << record << '\n';
}

bool RecordQueue::Flush() {
  LoadStaged();
  std::lock_guard<std::mutex> sending(sendLock_);
  try {
    std::vector<std::string> batch;
    {
      std::lock_guard<std::mutex> guard(queueLock_);
      if (!sender_) return false;  // closed
      size_t n = records_.size() < kBatchSize ? records_.size() : kBatchSize;
      if (n == 0) return true;
      batch.assign(records_.begin(), records_.begin() + n);
      records_.erase(records_.begin(), records_.begin() + n);
    }
    std::string text = "[";
    for (size_t i = 0; i < batch.size(); ++i) {
      if (i) text += ',';
      text += batch[i];
    }
    text += ']';
    bool ok = sender_->Send(text, sender_->Headers());
    if (!ok) {
      std::lock_guard<std::mutex> guard(queueLock_);
      size_t free = kCapacity - records_.size();
      size_t back = free < batch.size() ? free : batch.size();
      records_.insert(records_.begin(), batch.end() - back, batch.end());
    }
    return ok;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "Exception when flush failed: (%s) \n", error.what());
    return false;
  }
}

bool RecordQueue::FlushAll() {
  LoadStaged();
  for (;;) {
    {
      std::lock_guard<std::mutex> guard(queueLock_);
      if (records_.empty()) return true;
    }
    if (!Flush()) return false;
  }
}

void RecordQueue::Close() {
  // The send lock first, so a batch in flight is settled (delivered or put
  // back) before the queue is written out.
  std::lock_guard<std::mutex> sending(sendLock_);
  std::lock_guard<std::mutex> guard(queueLock_);
  if (closed_) return;
  closed_ = true;
  LoadStagedLocked();
  DumpStagedLocked();
  sender_.reset();
}

}  // namespace telemetry_core
