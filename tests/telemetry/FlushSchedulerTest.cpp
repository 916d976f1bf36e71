// Flush scheduling against a core whose requests fail (no HTTP library in the
// native build): detached jobs must be shut out before the core is destroyed.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "telemetry/core/LastSendOk.h"
#include "telemetry/core/Sdk.h"
#include "telemetry/tracker/FlushScheduler.h"

using orvan::telemetry::FlushScheduler;
using telemetry_core::Sdk;

TEST(FlushScheduler, LaterRequestsOnlyCountAsPending) {
  auto flush = std::make_shared<FlushScheduler>();
  telemetry_core::SetLastSendOk(true);  // runs on this thread
  flush->RequestFlush(false);
  EXPECT_EQ(flush->Pending(), 1);
  // An immediate flush with nothing pending sends nothing (no core needed).
  auto idle = std::make_shared<FlushScheduler>();
  idle->RequestFlush(true);
  EXPECT_EQ(idle->Pending(), 0);
  flush->Close();
}

TEST(FlushScheduler, ShutdownWaitsForDetachedJobs) {
  ASSERT_TRUE(Sdk::Init("", "http://127.0.0.1:1/collect?project=pc", "d", false));
  telemetry_core::SetLastSendOk(false);
  auto flush = std::make_shared<FlushScheduler>();
  testing::internal::CaptureStderr();
  for (int i = 0; i < 40; ++i) Sdk::Track("E");
  flush->AddPending(1);
  for (int i = 0; i < 200; ++i) flush->RequestFlush(i % 4 != 0);  // detached: the last send failed
  flush->Close();
  flush->WithFlushLock([] { Sdk::Shutdown(); });
  // No job runs on after Close(): a straggler would still count itself pending
  // (or touch the destroyed core, which the address sanitizer reports).
  int pending = flush->Pending();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(flush->Pending(), pending);
  flush.reset();
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(Sdk::Instance(), nullptr);
}
