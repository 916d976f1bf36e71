#include "utils/Process.h"

#include "utils/Exception.h"

namespace Utils {

Process::Process() = default;

void Process::Launch(const std::wstring& line, const std::wstring& applicationPath) {
  commandLine.assign(line.begin(), line.end());
  commandLine.push_back(L'\0');

  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;

  ::SetHandleInformation(outputPipe.readEnd, HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(errorPipe.readEnd, HANDLE_FLAG_INHERIT, 0);
  ::SetHandleInformation(inputPipe.writeEnd, HANDLE_FLAG_INHERIT, 0);

  // Nobody reads the child's standard error, and a child that filled the
  // pipe would block on its next write: its errors go to the null device.
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  HANDLE nul = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                             OPEN_EXISTING, 0, nullptr);
  if (nul == INVALID_HANDLE_VALUE) nul = nullptr;

  si.hStdInput = inputPipe.readEnd;
  si.hStdOutput = outputPipe.writeEnd;
  si.hStdError = nul ? nul : errorPipe.writeEnd;

  BOOL ok = ::CreateProcessW(applicationPath.empty() ? nullptr : applicationPath.c_str(),
                             commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                             &si, &processInfo);
  if (nul) ::CloseHandle(nul);
  if (!ok) {
    processInfo = PROCESS_INFORMATION{};
    throw Exception();
  }
  Pipe::CloseEnd(outputPipe.writeEnd);
  Pipe::CloseEnd(errorPipe.writeEnd);
  Pipe::CloseEnd(inputPipe.readEnd);
}

void Process::Close() {
  Pipe::CloseEnd(processInfo.hThread);
  Pipe::CloseEnd(processInfo.hProcess);
  Pipe::CloseEnd(inputPipe.writeEnd);
  Pipe::CloseEnd(inputPipe.readEnd);
  Pipe::CloseEnd(outputPipe.writeEnd);
  Pipe::CloseEnd(outputPipe.readEnd);
  Pipe::CloseEnd(errorPipe.writeEnd);
  Pipe::CloseEnd(errorPipe.readEnd);
}

}  // namespace Utils
