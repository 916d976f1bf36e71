#include "Scenario.h"

#include <windows.h>

#include <cstdlib>
#include <sstream>

namespace {

// \r \n \t \\ \0 \xHH; anything else after a backslash stays as it is.
std::string Unescape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\\' || i + 1 >= text.size()) {
      out += c;
      continue;
    }
    char n = text[++i];
    switch (n) {
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case '0': out += '\0'; break;
      case '\\': out += '\\'; break;
      case 'x':
        if (i + 2 < text.size()) {
          out += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
          i += 2;
        }
        break;
      default: out += '\\'; out += n; break;
    }
  }
  return out;
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes) {
  HANDLE f = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
  ::CloseHandle(f);
  return true;
}

void WriteWholeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  ::WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  ::CloseHandle(f);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (size_t p = text.find(from); p != std::string::npos; p = text.find(from, p + to.size()))
    text.replace(p, from.size(), to);
  return text;
}

}  // namespace

int RunScenario(const std::wstring& path, StubOutput& out, const ScenarioContext& context) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) {
    out.Line(L"Error=scenario file not readable");
    return 3;
  }
  const std::string folder = EncodeText(context.folder, CP_UTF8);
  int exitCode = 0;
  bool raw = true;
  UINT codePage = CP_UTF8;
  std::istringstream file(bytes);
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    size_t space = line.find(' ');
    std::string command = line.substr(0, space);
    std::string arg = space == std::string::npos ? std::string() : line.substr(space + 1);
    if (command == "write" || command == "line") {
      std::string text = Unescape(Replace(arg, "${DIR}", folder));
      if (!raw) text = EncodeText(DecodeUtf8(text), codePage);
      out.Append(text);
      if (command == "line") out.Append("\n");
    } else if (command == "repeat") {
      // "repeat N TEXT": TEXT and a line feed, N times.
      size_t gap = arg.find(' ');
      int count = std::atoi(arg.c_str());
      std::string text = gap == std::string::npos ? std::string() : Unescape(arg.substr(gap + 1));
      for (int i = 0; i < count; ++i) out.Append(text + "\n");
    } else if (command == "flush") {
      out.Flush();
    } else if (command == "sleep") {
      out.Flush();
      ::Sleep(static_cast<DWORD>(std::atoi(arg.c_str())));
    } else if (command == "codepage") {
      raw = arg == "raw";
      codePage = raw ? CP_UTF8 : static_cast<UINT>(std::atoi(arg.c_str()));
    } else if (command == "exit") {
      exitCode = std::atoi(arg.c_str());
    } else if (command == "work") {
      out.Flush();
      std::wstring error = context.work ? context.work() : std::wstring();
      if (!error.empty()) out.Line(L"Error=" + error);
    } else if (command == "default") {
      out.Flush();
      if (context.defaults) exitCode = context.defaults();
    } else if (command == "spawn") {
      // "spawn FILE": start another copy of this program, following the
      // scenario FILE, that inherits this one's handles (its standard
      // output among them) and outlives it; not waited for.
      out.Flush();
      wchar_t self[MAX_PATH] = L"";
      ::GetModuleFileNameW(nullptr, self, MAX_PATH);
      std::wstring commandLine = L"\"" + std::wstring(self) + L"\" /S -console=show";
      ::SetEnvironmentVariableW(context.scenarioVariable.c_str(), DecodeUtf8(Replace(arg, "${DIR}", folder)).c_str());
      STARTUPINFOW startup = {sizeof(startup)};
      PROCESS_INFORMATION info = {};
      if (::CreateProcessW(self, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info)) {
        ::CloseHandle(info.hThread);
        ::CloseHandle(info.hProcess);
      }
    } else if (command == "cmdline") {
      WriteWholeFile(DecodeUtf8(Replace(arg, "${DIR}", folder)), EncodeText(context.commandLine, CP_UTF8));
    }
  }
  out.Flush();
  return exitCode;
}
