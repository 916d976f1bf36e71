// A console child with hidden window and its standard handles on anonymous
// pipes. The owner reads outputPipe.readEnd with blocking reads (end of file
// once the child and its descendants have closed their copies) and polls
// the exit code through processInfo.hProcess.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "utils/Pipe.h"

namespace Utils {

class Process {
 public:
  // Makes the error, output and input pipes in that order; throws
  // Utils::Exception when one cannot be made (those already made are closed).
  Process();
  ~Process() { Close(); }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts the child. commandLine is the text the child sees (any length up
  // to the system's limit). applicationPath, when given, names the program
  // to run, so a path with blanks never depends on the system's search
  // through its blank-separated prefixes. Throws Utils::Exception when the
  // process cannot be created; the pipes then stay for Close.
  void Launch(const std::wstring& commandLine, const std::wstring& applicationPath = L"");

  // Closes the thread and process handles, then every open pipe end.
  void Close();

  // Holds the command line for process creation, which may change it in place.
  std::vector<wchar_t> commandLine;
  Pipe errorPipe;
  Pipe outputPipe;
  Pipe inputPipe;
  PROCESS_INFORMATION processInfo{};
};

}  // namespace Utils
