// Turns the console output of the setup package or the old uninstaller into
// reports. The children print one "Key=value" line each; the runner hands
// every chunk it reads to Feed and calls Finish once the child has ended.
//
// Lines are decoded whole: bytes after the last line feed of a chunk are kept
// until the rest of their line arrives (or until Finish), so a line, or a
// multibyte character, that the child's writes split across two reads is
// still read as one. Each line is decoded with the code page in force when
// it starts; an "Encode=" line switches it for the lines after it.
//
// Pure logic: the multibyte-to-wide conversion is passed in, so this builds
// and is tested without Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "utils/ReportCallback.h"

class ProtocolDecoder {
 public:
  // Which child is being followed: the keys, their order and the report
  // codes differ between the two runs.
  enum class Run { Install, Uninstall };

  // Converts bytes in the given code page (0: the system ANSI code page) to
  // wide text; returns empty text when the conversion fails.
  using Decode = std::function<std::wstring(const std::string& bytes, uint32_t codePage)>;

  // Chunk status: no decisive line / "State=" Success / "State=" Fail or "Error=".
  static constexpr int kNone = 0;
  static constexpr int kSuccess = 1;
  static constexpr int kFailed = 1000;

  // Longest text value, as the children's protocol allows it.
  static constexpr size_t kMaxTextValue = 771;
  // A "line" that grows beyond this without a line feed is parsed as it is,
  // so a child that never ends its line cannot make the buffer grow forever.
  static constexpr size_t kMaxPendingLine = 64 * 1024;

  struct Version {
    int32_t major = 0, minor = 0, build = 0;
  };

  ProtocolDecoder(Run run, ReportCallback report, Decode decode);

  // One read's bytes (cut at the first zero byte). Parses every line the
  // chunk completes and returns the chunk status: the last decisive line
  // among them decides, all lines are parsed whatever the status.
  int Feed(const char* bytes, size_t count);
  // The child has ended: parses the unfinished last line, if any.
  int Finish();
  // Drops an unfinished line (a new run begins); the code page stays.
  void Reset() { pending_.clear(); }

  int32_t CodePage() const { return codePage_; }
  void SetCodePage(int32_t codePage) { codePage_ = codePage; }
  // Filled by an "InstallVersion=" line of the install run.
  const Version& InstalledVersion() const { return version_; }

  // Parses one decoded line (no line feed) and returns its status.
  int ParseLine(const std::wstring& line);

 private:
  int ParseBytes(const std::string& bytes);
  int ParseInstallLine(const std::wstring& line);
  int ParseUninstallLine(const std::wstring& line);
  void Report(int32_t code, double value, const std::wstring& text) const;

  Run run_;
  ReportCallback report_;
  Decode decode_;
  int32_t codePage_ = 0;
  Version version_;
  std::string pending_;  // bytes after the last line feed seen so far
};
