#include "install/ChildOutputReader.h"

namespace ChildOutput {

int ReadChunk(const Utils::Process& process, ProtocolDecoder& decoder, bool& got) {
  got = false;
  // Read only what is there: a descendant of the child may hold the pipe's
  // write end long after the child has ended, and a read waiting for it
  // would stall the run.
  DWORD available = 0;
  if (!::PeekNamedPipe(process.outputPipe.readEnd, nullptr, 0, nullptr, &available, nullptr) || available == 0)
    return ProtocolDecoder::kNone;
  char buffer[kReadSize] = {};
  DWORD read = 0;
  ::ReadFile(process.outputPipe.readEnd, buffer, available < kReadSize ? available : kReadSize, &read, nullptr);
  got = read > 0;
  return got ? decoder.Feed(buffer, read) : ProtocolDecoder::kNone;
}

int Drain(const Utils::Process& process, ProtocolDecoder& decoder, bool stopAtDecisive) {
  int status = ProtocolDecoder::kNone;
  // What the child left is bounded by the pipe's buffer (it cannot end
  // while blocked on a full pipe); the bound keeps a descendant that goes on
  // writing from holding the run.
  for (int reads = 0; reads < 256; ++reads) {
    bool got = false;
    int s = ReadChunk(process, decoder, got);
    if (!got) break;
    if (s != ProtocolDecoder::kNone) {
      status = s;
      if (stopAtDecisive) return status;
    }
  }
  int s = decoder.Finish();
  return s != ProtocolDecoder::kNone ? s : status;
}

namespace {

// Reads what is waiting in the pipe without blocking; true if there was any.
bool DiscardAvailable(HANDLE pipe) {
  DWORD available = 0;
  if (!pipe || !::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) || available == 0) return false;
  char buffer[kReadSize];
  DWORD read = 0;
  return ::ReadFile(pipe, buffer, available < kReadSize ? available : kReadSize, &read, nullptr) && read > 0;
}

}  // namespace

void DiscardErrorOutput(const Utils::Process& process) {
  for (int reads = 0; reads < 64 && DiscardAvailable(process.errorPipe.readEnd); ++reads) {
  }
}

void DiscardUntilEnd(const Utils::Process& process) {
  while (Running(process)) {
    bool any = DiscardAvailable(process.outputPipe.readEnd);
    any = DiscardAvailable(process.errorPipe.readEnd) || any;
    if (!any) ::WaitForSingleObject(process.processInfo.hProcess, 50);
  }
}

}  // namespace ChildOutput
