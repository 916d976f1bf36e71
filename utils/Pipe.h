// An anonymous pipe with both ends inheritable, for a child's standard handles.
#pragma once

#include <windows.h>

namespace Utils {

class Pipe {
 public:
  // Throws Utils::Exception (with both ends closed) when the pipe cannot be made.
  Pipe();
  ~Pipe() { Close(); }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;

  // Closes each end that is open.
  void Close();
  static void CloseEnd(HANDLE& end);

  HANDLE writeEnd = nullptr;
  HANDLE readEnd = nullptr;
};

}  // namespace Utils
