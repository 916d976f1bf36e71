// The files of the test collector (tools/collector), seen from Windows:
// records it kept, its request journal and its control file.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace TelemetryTest {

// A Linux path as Wine's drive Z: shows it (ANSI form for the runtime's files).
inline std::string WinPath(const std::string& linuxPath) {
  std::string p = "Z:" + linuxPath;
  for (auto& c : p)
    if (c == '/') c = '\\';
  return p;
}

inline std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

inline std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

struct Collector {
  std::string url, out, requests, control;

  // From the environment the ctest fixture sets: QV_COLLECTOR_PORT and the
  // Linux paths QV_COLLECTOR_OUT, QV_COLLECTOR_REQUESTS, QV_COLLECTOR_CONTROL.
  static Collector FromEnv() {
    Collector c;
    c.url = "http://127.0.0.1:" + Env("QV_COLLECTOR_PORT") + "/collect?project=pc";
    c.out = WinPath(Env("QV_COLLECTOR_OUT"));
    c.requests = WinPath(Env("QV_COLLECTOR_REQUESTS"));
    c.control = WinPath(Env("QV_COLLECTOR_CONTROL"));
    return c;
  }
  // "ok", "fail500", "slow", "refuse"; the collector polls every 50 ms.
  void Mode(const std::string& mode) const {
    WriteText(control, mode);
    Sleep(400);
  }
  void Reset() const {
    WriteText(out, "");
    WriteText(requests, "");
  }
  std::vector<std::string> Records() const { return ReadLines(out); }
  std::vector<std::string> Requests() const { return ReadLines(requests); }
};

inline bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace TelemetryTest
