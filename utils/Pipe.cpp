#include "utils/Pipe.h"

#include "utils/Exception.h"

namespace Utils {

Pipe::Pipe() {
  SECURITY_ATTRIBUTES sa{};
  sa.nLength = sizeof(sa);
  sa.lpSecurityDescriptor = nullptr;
  sa.bInheritHandle = TRUE;
  if (!::CreatePipe(&readEnd, &writeEnd, &sa, 0)) {
    Close();
    throw Exception();
  }
}

void Pipe::CloseEnd(HANDLE& end) {
  if (end) {
    ::CloseHandle(end);
    end = nullptr;
  }
}

void Pipe::Close() {
  CloseEnd(writeEnd);
  CloseEnd(readEnd);
}

}  // namespace Utils
