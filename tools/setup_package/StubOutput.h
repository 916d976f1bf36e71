// Standard output of the stand-in setup package and uninstaller: bytes are
// collected and handed to the pipe in one write per Flush, so a scenario can
// choose exactly how the reader's chunks are cut.
#pragma once

#include <windows.h>

#include <string>

class StubOutput {
 public:
  // With enabled false ("-console=show" missing) nothing is ever written.
  explicit StubOutput(bool enabled);
  ~StubOutput() { Flush(); }

  void Append(const std::string& bytes) { buffer_ += bytes; }
  // Text converted to the given code page (65001: UTF-8) and a line feed.
  // No carriage return: the installer keeps one as part of a text value.
  void Line(const std::wstring& text, UINT codePage = CP_UTF8);
  // One write of everything collected so far.
  void Flush();

 private:
  bool enabled_;
  HANDLE handle_;
  std::string buffer_;
};

std::string EncodeText(const std::wstring& text, UINT codePage);
std::wstring DecodeUtf8(const std::string& text);
