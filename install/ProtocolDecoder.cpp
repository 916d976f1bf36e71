#include "install/ProtocolDecoder.h"

#include <cwchar>
#include <cwctype>
#include <utility>

#include "install/ReportCodes.h"

using namespace InstallCodes;

namespace {

// True when `line` begins with `key` (which ends in '='); `value` is then the
// position just after the key.
bool Key(const std::wstring& line, const wchar_t* key, size_t& value) {
  size_t n = std::wcslen(key);
  if (line.compare(0, n, key) != 0) return false;
  value = n;
  return true;
}

// "%[^\n]": everything after the key; the line holds no line feed, so this
// is the rest of the line, a carriage return included.
std::wstring Text(const std::wstring& line, size_t pos) {
  return line.substr(pos, ProtocolDecoder::kMaxTextValue);
}

std::wstring Trim(const std::wstring& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::iswspace(s[b])) ++b;
  while (e > b && std::iswspace(s[e - 1])) --e;
  return s.substr(b, e - b);
}

// "%lf": 0 when no number can be read.
double ScanDouble(const std::wstring& line, size_t pos) {
  const wchar_t* start = line.c_str() + pos;
  wchar_t* end = nullptr;
  double v = std::wcstod(start, &end);
  return end == start ? 0.0 : v;
}

// "%d" at *p: leading white space, optional sign, decimal digits (wrapping
// at 32 bits as the runtime's scanner does). Advances *p; false when no
// digit follows.
bool ScanInt(const wchar_t*& p, int32_t& out) {
  while (*p && std::iswspace(*p)) ++p;
  bool negative = false;
  if (*p == L'+' || *p == L'-') negative = (*p++ == L'-');
  if (*p < L'0' || *p > L'9') return false;
  uint32_t acc = 0;
  while (*p >= L'0' && *p <= L'9') acc = acc * 10u + static_cast<uint32_t>(*p++ - L'0');
  out = static_cast<int32_t>(negative ? 0u - acc : acc);
  return true;
}

int32_t ScanInt(const std::wstring& line, size_t pos) {
  const wchar_t* p = line.c_str() + pos;
  int32_t v = 0;
  ScanInt(p, v);
  return v;
}

// A decimal code-page number: leading blanks and sign allowed, trailing
// characters ignored; anything that is not a number, or does not fit 32
// bits, means the system ANSI code page (0).
int32_t ScanCodePage(const std::wstring& text) {
  const wchar_t* p = text.c_str();
  while (*p && std::iswspace(*p)) ++p;
  bool negative = false;
  if (*p == L'+' || *p == L'-') negative = (*p++ == L'-');
  int64_t acc = 0;
  while (*p >= L'0' && *p <= L'9') {
    acc = acc * 10 + (*p++ - L'0');
    if (acc > 2147483648LL) return 0;
  }
  if (negative) acc = -acc;
  if (acc > 2147483647LL) return 0;
  return static_cast<int32_t>(acc);
}

}  // namespace

ProtocolDecoder::ProtocolDecoder(Run run, ReportCallback report, Decode decode)
    : run_(run), report_(std::move(report)), decode_(std::move(decode)) {}

void ProtocolDecoder::Report(int32_t code, double value, const std::wstring& text) const {
  if (report_) report_(code, value, text);
}

int ProtocolDecoder::Feed(const char* bytes, size_t count) {
  size_t n = 0;
  while (n < count && bytes[n] != '\0') ++n;
  int status = kNone;
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    if (bytes[i] != '\n') continue;
    pending_.append(bytes + start, i - start);
    std::string line;
    line.swap(pending_);
    int s = ParseBytes(line);
    if (s != kNone) status = s;
    start = i + 1;
  }
  pending_.append(bytes + start, n - start);
  if (pending_.size() > kMaxPendingLine) {
    int s = Finish();
    if (s != kNone) status = s;
  }
  return status;
}

int ProtocolDecoder::Finish() {
  if (pending_.empty()) return kNone;
  std::string line;
  line.swap(pending_);
  return ParseBytes(line);
}

int ProtocolDecoder::ParseBytes(const std::string& bytes) {
  std::wstring line = decode_ ? decode_(bytes, static_cast<uint32_t>(codePage_)) : std::wstring();
  return ParseLine(line);
}

int ProtocolDecoder::ParseLine(const std::wstring& line) {
  return run_ == Run::Install ? ParseInstallLine(line) : ParseUninstallLine(line);
}

int ProtocolDecoder::ParseInstallLine(const std::wstring& line) {
  size_t v = 0;
  if (Key(line, L"Progress=", v)) {
    Report(IST_CODE_PROGRESS, ScanDouble(line, v), L"");
  } else if (Key(line, L"InstPath=", v)) {
    Report(IST_INFO_INST_PATH, 0, Text(line, v));
  } else if (Key(line, L"State=", v)) {
    std::wstring state = Trim(Text(line, v));
    if (state == L"Success") {
      Report(INSTALL_SUCCESS, 0, L"");
      return kSuccess;
    }
    if (state == L"Fail") {
      Report(IST_CODE_FAIL, 0, L"安装包安装失败");
      return kFailed;
    }
  } else if (Key(line, L"InstallVersion=", v)) {
    Version parsed;
    const wchar_t* p = line.c_str() + v;
    if (ScanInt(p, parsed.major) && *p == L'.' && ScanInt(++p, parsed.minor) && *p == L'.')
      ScanInt(++p, parsed.build);
    version_ = parsed;
  } else if (Key(line, L"ExePath=", v) || Key(line, L"StartExe=", v)) {
    Report(IST_INFO_EXE_PATH, 0, Text(line, v));
  } else if (Key(line, L"UninstExePath=", v) || Key(line, L"UninstExe=", v)) {
    Report(IST_INFO_UNINST_EXE, 0, Text(line, v));
  } else if (Key(line, L"UninstEp=", v)) {
    Report(IST_INFO_UNINST_EP, 0, Text(line, v));
  } else if (Key(line, L"Error=", v)) {
    Report(IST_CODE_FAIL, 1000.0, Text(line, v));
    return kFailed;
  } else if (Key(line, L"TopShowDetention=", v)) {
    Report(IST_INFO_TOP_SHOW_DETENTION, static_cast<double>(static_cast<uint32_t>(ScanInt(line, v))), L"");
  } else if (Key(line, L"FinsihCloseDetention=", v)) {
    Report(IST_INFO_FINISH_CLOSE_DETENTION, static_cast<double>(static_cast<uint32_t>(ScanInt(line, v))),
           L"");
  } else if (Key(line, L"StartUrl=", v)) {
    Report(IST_INFO_START_URL, 0, Text(line, v));
  } else if (Key(line, L"StartupStyle=", v)) {
    std::wstring style = Trim(Text(line, v));
    double value = style == L"AutoStartup" ? 1 : style == L"UserStartup" ? 2 : 0;
    Report(IST_INFO_STARTUP_STYLE, value, L"");
  } else if (Key(line, L"Encode=", v)) {
    std::wstring encoding = Trim(Text(line, v));
    if (encoding == L"UTF8")
      codePage_ = 65001;
    else if (encoding == L"ACP")
      codePage_ = 0;
    else
      codePage_ = ScanCodePage(encoding);
  } else if (Key(line, L"Message=", v)) {
    Report(IST_INFO_MESSAGE, 0, Text(line, v));
  }
  return kNone;
}

int ProtocolDecoder::ParseUninstallLine(const std::wstring& line) {
  size_t v = 0;
  if (Key(line, L"Progress=", v)) {
    Report(UNIST_CODE_PROGRESS, ScanDouble(line, v), L"");
  } else if (Key(line, L"Error=", v)) {
    Report(UNIST_CODE_ERROR, 0, Text(line, v));
    return kFailed;
  } else if (Key(line, L"State=", v)) {
    std::wstring state = Trim(Text(line, v));
    if (state == L"Success") {
      Report(UNIST_CODE_SUCCESS, 0, L"");
      return kSuccess;
    }
    if (state == L"Fail") {
      Report(UNIST_CODE_ERROR, 0, L"安装包卸载失败");
      return kFailed;
    }
  } else if (Key(line, L"Encode=", v)) {
    codePage_ = Trim(Text(line, v)) == L"UTF8" ? 65001 : 0;
  }
  return kNone;
}
