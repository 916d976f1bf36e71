#include "StubOutput.h"

#include <vector>

std::string EncodeText(const std::wstring& text, UINT codePage) {
  if (text.empty()) return std::string();
  int n = ::WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<size_t>(n), '\0');
  ::WideCharToMultiByte(codePage, 0, text.data(), (int)text.size(), &out[0], n, nullptr, nullptr);
  return out;
}

std::wstring DecodeUtf8(const std::string& text) {
  if (text.empty()) return std::wstring();
  int n = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0);
  if (n <= 0) return std::wstring();
  std::wstring out(static_cast<size_t>(n), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], n);
  return out;
}

StubOutput::StubOutput(bool enabled) : enabled_(enabled), handle_(::GetStdHandle(STD_OUTPUT_HANDLE)) {}

void StubOutput::Line(const std::wstring& text, UINT codePage) {
  Append(EncodeText(text, codePage));
  Append("\n");
}

void StubOutput::Flush() {
  if (buffer_.empty()) return;
  if (enabled_ && handle_ && handle_ != INVALID_HANDLE_VALUE) {
    const char* p = buffer_.data();
    DWORD left = static_cast<DWORD>(buffer_.size());
    while (left > 0) {
      DWORD written = 0;
      if (!::WriteFile(handle_, p, left, &written, nullptr) || written == 0) break;
      p += written;
      left -= written;
    }
  }
  buffer_.clear();
}
