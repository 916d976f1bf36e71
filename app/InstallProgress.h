// Progress arithmetic and the texts built from installation notices. Pure
// logic: no Win32 calls, so it is also tested in the native build.
#pragma once
#include <cstdint>
#include <string>

namespace App {

// Turns download and install progress into one percentage for the bar.
// The download stage fills [0, scale), the install stage the rest; install
// notices are smoothed so the bar moves even when the package reports little.
class InstallProgress {
 public:
  explicit InstallProgress(double downloadScale) : scale_(downloadScale) {}

  // Download-stage percentage for a fraction in [0, 1].
  int DownloadPercent(double fraction) const;
  // Install-stage percentage for a reported fraction (0 = no figure); advances
  // the smoothing. The smoothing is kept for the whole run.
  int InstallPercent(double reported);

  double Smoothing() const { return smoothing_; }

 private:
  double scale_;
  double smoothing_ = 0.0;
};

// The progress label. userFormat is the label's own format (skin user data);
// it is used only when it holds nothing but one "%d" and "%%" escapes,
// otherwise the built-in format for the elapsed time applies.
std::wstring ProgressLabel(const std::wstring& userFormat, int percent, double elapsedSeconds);

// ":1.code=<value>；2.msg=<text>", cut to 199 characters.
std::wstring ShortReason(double value, const std::wstring& text);

// The full diagnosis of a failed download.
std::wstring DownloadFailureReason(double value, const std::wstring& text, double freeGiB,
                                   bool writable, uint32_t networkState);

// Notice value truncated to a 32-bit integer (NaN and out-of-range values clamp).
int32_t NoticeInt(double value);

}  // namespace App
