#include "app/InstallProgress.h"

#include <gtest/gtest.h>

using App::InstallProgress;

TEST(InstallProgress, DownloadFillsTheScaledShare) {
  InstallProgress p(0.7);
  EXPECT_EQ(p.DownloadPercent(0.0), 0);
  EXPECT_EQ(p.DownloadPercent(0.5), 35);
  EXPECT_EQ(p.DownloadPercent(1.0), 70);
  EXPECT_EQ(p.DownloadPercent(0.999), 69);  // truncated, not rounded
  EXPECT_EQ(p.DownloadPercent(-1.0), 0);    // a bogus fraction never leaves the bar's range
  EXPECT_EQ(p.DownloadPercent(5.0), 100);
}

TEST(InstallProgress, InstallNoticesAdvanceBySmoothingUpTo95PercentOfTheShare) {
  InstallProgress p(0.7);
  const int expected[] = {74, 79, 83, 88, 92, 97, 98, 98, 98};
  for (int e : expected) EXPECT_EQ(p.InstallPercent(0.0), e);
  EXPECT_DOUBLE_EQ(p.Smoothing(), 0.95);
}

TEST(InstallProgress, ReportedFractionLiftsTheBarAndTheSmoothing) {
  InstallProgress p(0.7);
  EXPECT_EQ(p.InstallPercent(0.99), 99);
  EXPECT_DOUBLE_EQ(p.Smoothing(), 0.99);
  // The next step caps the smoothing at 0.95 again.
  EXPECT_EQ(p.InstallPercent(0.2), 98);
  InstallProgress q(0.7);
  EXPECT_EQ(q.InstallPercent(0.1), 74);  // 0.15 beats the reported 0.1
  EXPECT_DOUBLE_EQ(q.Smoothing(), 0.15);
}

TEST(InstallProgress, OtherScales) {
  InstallProgress p(0.0);  // "-downloadscale=abc": the install stage owns the whole bar
  EXPECT_EQ(p.DownloadPercent(1.0), 0);
  EXPECT_EQ(p.InstallPercent(0.5), 50);
  InstallProgress full(1.0);
  EXPECT_EQ(full.InstallPercent(0.0), 100);
}

TEST(ProgressLabel, FormatsByElapsedTimeAndUserData) {
  EXPECT_EQ(App::ProgressLabel(L"", 35, 10.0), L"正在安装中:35%，请稍候...");
  EXPECT_EQ(App::ProgressLabel(L"", 35, 60.0), L"正在安装中:35%，请稍候...");
  EXPECT_EQ(App::ProgressLabel(L"", 35, 60.5), L"正在安装中:35%，请耐心等待...");
  EXPECT_EQ(App::ProgressLabel(L"Installing %d%%", 7, 100.0), L"Installing 7%");
  // A format with any other conversion is not trusted.
  EXPECT_EQ(App::ProgressLabel(L"%s %d", 7, 0.0), L"正在安装中:7%，请稍候...");
  EXPECT_EQ(App::ProgressLabel(L"%d %d", 7, 0.0), L"正在安装中:7%，请稍候...");
  EXPECT_EQ(App::ProgressLabel(L"no number", 7, 0.0), L"正在安装中:7%，请稍候...");
  EXPECT_EQ(App::ProgressLabel(L"trailing %", 7, 0.0), L"正在安装中:7%，请稍候...");
}

TEST(Reasons, ShortAndDownloadFailure) {
  EXPECT_EQ(App::ShortReason(3.9, L"bad md5"), L":1.code=3；2.msg=bad md5");
  EXPECT_EQ(App::ShortReason(-2.0, L""), L":1.code=-2；2.msg=");
  EXPECT_EQ(App::ShortReason(1e300, L"x"), L":1.code=2147483647；2.msg=x");
  EXPECT_EQ(App::DownloadFailureReason(28.0, L"timeout", 10.5, true, 0x20040),
            L"1.code=28；2.msg=timeout；3.缓存磁盘容量=10.50G；4.缓存读写权限=可读；5.服务器连接状态code=131136");
  EXPECT_EQ(App::DownloadFailureReason(1.0, L"", 0.0, false, 0),
            L"1.code=1；2.msg=；3.缓存磁盘容量=0.00G；4.缓存读写权限=无权限；5.服务器连接状态code=0");
  // The buffers hold 199 characters.
  EXPECT_EQ(App::ShortReason(1.0, std::wstring(500, L'x')).size(), 199u);
  EXPECT_EQ(App::DownloadFailureReason(1.0, std::wstring(500, L'x'), 1, true, 0).size(), 199u);
}
