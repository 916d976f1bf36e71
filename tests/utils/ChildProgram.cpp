#include "ChildProgram.h"

#include <shellapi.h>

#include <cstdlib>
#include <thread>

namespace QvTest {

std::wstring WindowsPathFromEnv(const char* variable) {
  const char* value = std::getenv(variable);
  if (!value) return L"";
  std::wstring path = L"Z:";
  for (const char* p = value; *p; ++p) path.push_back(*p == '/' ? L'\\' : static_cast<wchar_t>(*p));
  return path;
}

TempFolder::TempFolder(const std::wstring& leaf) {
  wchar_t temp[MAX_PATH + 1] = {};
  ::GetTempPathW(MAX_PATH + 1, temp);
  path_ = std::wstring(temp) + leaf + L"." + std::to_wstring(::GetCurrentProcessId()) + L"." +
          std::to_wstring(::GetTickCount());
  ::CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  std::wstring from = path_;
  from.push_back(L'\0');
  from.push_back(L'\0');
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NO_UI;
  ::SHFileOperationW(&op);
}

ChildResult Collect(Utils::Process& process, DWORD timeoutMs) {
  ChildResult result;
  // The read runs on its own thread so that a child that never closes its
  // output fails the test instead of hanging it.
  HANDLE readEnd = process.outputPipe.readEnd;
  std::string output;
  HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread reader([&] {
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0) output.append(buffer, got);
    ::SetEvent(done);
  });
  DWORD waited = ::WaitForSingleObject(done, timeoutMs);
  // Ending the child closes its copy of the output, which ends the read.
  if (waited != WAIT_OBJECT_0) ::TerminateProcess(process.processInfo.hProcess, 99);
  reader.join();
  ::CloseHandle(done);
  result.output = output;
  result.finished = waited == WAIT_OBJECT_0 &&
                    ::WaitForSingleObject(process.processInfo.hProcess, timeoutMs) == WAIT_OBJECT_0;
  ::GetExitCodeProcess(process.processInfo.hProcess, &result.exitCode);
  return result;
}

ChildResult RunChild(const std::wstring& arguments, DWORD timeoutMs) {
  Utils::Process process;
  std::wstring program = TestChildPath();
  process.Launch(L"\"" + program + L"\" " + arguments, program);
  return Collect(process, timeoutMs);
}

}  // namespace QvTest
