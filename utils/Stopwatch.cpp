#include "utils/Stopwatch.h"

#include <windows.h>

namespace Utils {

void Stopwatch::Start() {
  startTick_ = ::GetTickCount();
  started_ = true;
}

float Stopwatch::Elapsed() const { return started_ ? ElapsedSeconds(startTick_, ::GetTickCount()) : 0.0f; }

}  // namespace Utils
