// Helpers for the tests that start tools/testchild as a real child.
#pragma once

#include <windows.h>

#include <string>

#include "utils/Process.h"

namespace QvTest {

// A Linux path from the environment as the Windows path Wine maps it to (Z:).
std::wstring WindowsPathFromEnv(const char* variable);
inline std::wstring TestChildPath() { return WindowsPathFromEnv("QV_TESTCHILD"); }

// A fresh folder under the temporary directory, removed with its files at the end.
class TempFolder {
 public:
  explicit TempFolder(const std::wstring& leaf);
  ~TempFolder();
  const std::wstring& path() const { return path_; }  // ends without a backslash
 private:
  std::wstring path_;
};

struct ChildResult {
  bool finished = false;   // the child ended within the time limit
  DWORD exitCode = 0;
  std::string output;      // everything read from its standard output
};

// Reads the child's output until end of file, then waits for it (bounded).
ChildResult Collect(Utils::Process& process, DWORD timeoutMs = 20000);
// Starts testchild with the given arguments (after the quoted program path).
ChildResult RunChild(const std::wstring& arguments, DWORD timeoutMs = 20000);

}  // namespace QvTest
