// Reading a runner's child: its exit test and the reads of its output pipe.
#pragma once

#include <windows.h>

#include "install/ProtocolDecoder.h"
#include "utils/Process.h"

namespace ChildOutput {

// Bytes one read of the output pipe takes at most.
constexpr DWORD kReadSize = 1024;

// True while the child runs. Waits on the process handle instead of testing
// for the exit code 259, which a child may also return.
inline bool Running(const Utils::Process& process) {
  return ::WaitForSingleObject(process.processInfo.hProcess, 0) == WAIT_TIMEOUT;
}

// One read of at most kReadSize bytes of what the pipe holds, fed to the
// decoder; nothing is read (and `got` is false) when the pipe is empty, so
// the call never waits. Returns the chunk status.
int ReadChunk(const Utils::Process& process, ProtocolDecoder& decoder, bool& got);

// After the child has ended: feeds what is still in the pipe, then the
// unfinished last line. With stopAtDecisive the first decisive chunk ends
// it. Returns the last decisive status seen, or 0.
int Drain(const Utils::Process& process, ProtocolDecoder& decoder, bool stopAtDecisive);

// Throws away what the child has written on its standard error, which
// nobody reads, so that a child writing much there cannot block on it.
void DiscardErrorOutput(const Utils::Process& process);

// After the decisive line: reads and throws away what the child still
// writes on its output and error pipes until it ends, so a child that goes
// on printing cannot block on a full pipe while the runner waits for it.
void DiscardUntilEnd(const Utils::Process& process);

}  // namespace ChildOutput
