#include "app/InstallProgress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>

namespace App {
namespace {

constexpr size_t kReasonChars = 200;  // the reason buffers hold 199 characters and a terminator
constexpr size_t kLabelChars = 250;

int ToPercent(double fraction) {
  double p = fraction * 100.0 + 1e-9;  // guard 0.35 * 100 against landing on 34.999...
  if (!(p > 0.0)) return 0;
  if (p >= 100.0) return 100;
  return static_cast<int>(p);
}

std::wstring Cut(std::wstring s, size_t bufferChars) {
  if (s.size() >= bufferChars) s.resize(bufferChars - 1);
  return s;
}

// Expands a format that may hold "%%" and exactly one "%d". Returns false for
// any other conversion, so a skin cannot make the label read random memory.
bool ExpandPercentFormat(const std::wstring& fmt, int value, std::wstring* out) {
  std::wstring r;
  bool used = false;
  for (size_t i = 0; i < fmt.size(); ++i) {
    if (fmt[i] != L'%') {
      r += fmt[i];
      continue;
    }
    if (i + 1 >= fmt.size()) return false;
    wchar_t c = fmt[++i];
    if (c == L'%') {
      r += L'%';
    } else if (c == L'd' && !used) {
      r += std::to_wstring(value);
      used = true;
    } else {
      return false;
    }
  }
  if (!used) return false;
  *out = r;
  return true;
}

}  // namespace

int32_t NoticeInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(value);
}

int InstallProgress::DownloadPercent(double fraction) const { return ToPercent(fraction * scale_); }

int InstallProgress::InstallPercent(double reported) {
  smoothing_ = std::min(smoothing_ + 0.15, 0.95);
  double shown = smoothing_;
  if (reported != 0.0) {
    shown = std::max(smoothing_, reported);
    if (reported > smoothing_) smoothing_ = reported;
  }
  return ToPercent((1.0 - scale_) * shown + scale_);
}

std::wstring ProgressLabel(const std::wstring& userFormat, int percent, double elapsedSeconds) {
  std::wstring text;
  if (!userFormat.empty() && ExpandPercentFormat(userFormat, percent, &text)) return Cut(text, kLabelChars);
  const wchar_t* fmt = elapsedSeconds > 60.0 ? L"正在安装中:%d%%，请耐心等待..." : L"正在安装中:%d%%，请稍候...";
  ExpandPercentFormat(fmt, percent, &text);
  return text;
}

std::wstring ShortReason(double value, const std::wstring& text) {
  return Cut(L":1.code=" + std::to_wstring(static_cast<long>(NoticeInt(value))) + L"；2.msg=" + text, kReasonChars);
}

std::wstring DownloadFailureReason(double value, const std::wstring& text, double freeGiB, bool writable,
                                   uint32_t networkState) {
  wchar_t gib[64];
  std::swprintf(gib, 64, L"%.2f", freeGiB);
  std::wstring r = L"1.code=" + std::to_wstring(static_cast<long>(NoticeInt(value))) + L"；2.msg=" + text +
                   L"；3.缓存磁盘容量=" + gib + L"G；4.缓存读写权限=" + (writable ? L"可读" : L"无权限") +
                   L"；5.服务器连接状态code=" + std::to_wstring(static_cast<int>(networkState));
  return Cut(r, kReasonChars);
}

}  // namespace App
