// Batches posted to the test collector through libcurl.
#include <gtest/gtest.h>

#include <thread>

#include "CollectorFiles.h"
#include "telemetry/core/LastSendOk.h"
#include "telemetry/core/RecordQueue.h"

using telemetry_core::RecordQueue;
using namespace TelemetryTest;

namespace {

std::string Rec(int i) { return "{\"n\":" + std::to_string(i) + "}"; }

class BatchSendTest : public testing::Test {
 protected:
  void SetUp() override {
    c = Collector::FromEnv();
    c.Mode("ok");
    c.Reset();
  }
  void TearDown() override { c.Mode("ok"); }
  Collector c;
};

TEST_F(BatchSendTest, ThirtyOneRecordsMakeTwoRequests) {
  RecordQueue q(c.url, "");
  for (int i = 0; i < 31; ++i) q.Add(Rec(i));
  EXPECT_TRUE(q.FlushAll());
  EXPECT_EQ(q.Size(), 0u);
  EXPECT_TRUE(telemetry_core::GetLastSendOk());
  auto requests = c.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0], "{\"status\": 200, \"records\": 30}");
  EXPECT_EQ(requests[1], "{\"status\": 200, \"records\": 1}");
  auto records = c.Records();
  ASSERT_EQ(records.size(), 31u);
  for (int i = 0; i < 31; ++i) EXPECT_EQ(records[i], Rec(i));
}

TEST_F(BatchSendTest, FailedBatchReturnsToTheQueue) {
  for (const char* mode : {"fail500", "refuse", "status204", "status302"}) {
    c.Mode(mode);
    RecordQueue q(c.url, "");
    for (int i = 0; i < 3; ++i) q.Add(Rec(i));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(q.Flush()) << mode;
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(Has(err, "Telemetry SDK send failed: ")) << err;
    EXPECT_FALSE(telemetry_core::GetLastSendOk());
    auto left = q.Snapshot();
    ASSERT_EQ(left.size(), 3u) << mode;
    EXPECT_EQ(left[0], Rec(0));
    c.Mode("ok");
    EXPECT_TRUE(q.FlushAll());
  }
  EXPECT_EQ(c.Records().size(), 12u);  // each record once
}

TEST_F(BatchSendTest, LateAnswerFailsAndShortRoomKeepsTheNewest) {
  c.Mode("slow");
  RecordQueue q(c.url, "");
  for (int i = 0; i < 30; ++i) q.Add(Rec(i));
  bool ok = true;
  testing::internal::CaptureStderr();
  std::thread flusher([&] { ok = q.Flush(); });
  while (q.Size() != 0) Sleep(5);  // the batch is in flight
  for (int i = 100; i < 1100; ++i) q.Add(Rec(i));
  flusher.join();
  testing::internal::GetCapturedStderr();
  EXPECT_FALSE(ok);  // the 3-second time-out
  auto r = q.Snapshot();
  ASSERT_EQ(r.size(), 1024u);
  EXPECT_EQ(r[0], Rec(6));  // 24 free places: the 24 newest of the batch
  EXPECT_EQ(r[23], Rec(29));
  EXPECT_EQ(r[24], Rec(100));
}

}  // namespace
