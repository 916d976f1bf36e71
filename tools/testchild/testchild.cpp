// Child program for the process, pipe and mutex tests.
//   testchild cmdline              writes its own command line (UTF-8) to stdout
//   testchild whoami               writes its own module path (UTF-8) to stdout
//   testchild stderr BYTES         writes BYTES to stderr, then "done" to stdout
//   testchild sleep MS             sleeps, then exits 0
//   testchild mutex BASENAME       exit 0 when it could take the instance mutex, 3 when held elsewhere
//   testchild spawn-sleep MS       starts "testchild sleep MS" inheriting its stdout, then exits at once
//   testchild exit CODE            exits with CODE
//   testchild settings [switches]  applies its command line to the settings record and writes every field
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/InstallerSettings.h"
#include "utils/InstanceMutex.h"
#include "utils/TextConvert.h"

namespace {

void WriteOut(const std::string& text) {
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(), (DWORD)text.size(), &written, nullptr);
}

std::wstring ModulePath() {
  wchar_t path[MAX_PATH * 2] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
  return path;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // The mode is the first known word, so that an unquoted program path with
  // blanks (split into several arguments) still works.
  static const wchar_t* kModes[] = {L"cmdline", L"whoami", L"stderr", L"sleep", L"mutex", L"spawn-sleep", L"exit", L"settings"};
  int first = 1;
  for (; first < argc; ++first) {
    bool known = false;
    for (const wchar_t* m : kModes) known = known || std::wstring(argv[first]) == m;
    if (known) break;
  }
  if (first >= argc) return 2;
  argv += first - 1;
  argc -= first - 1;
  std::wstring mode = argv[1];
  if (mode == L"cmdline") {
    WriteOut(Utils::ToNarrow(::GetCommandLineW(), 65001));
    return 0;
  }
  if (mode == L"whoami") {
    WriteOut(Utils::ToNarrow(ModulePath(), 65001));
    return 0;
  }
  if (mode == L"stderr" && argc > 2) {
    long total = std::wcstol(argv[2], nullptr, 10);
    std::string chunk(4096, 'e');
    HANDLE err = ::GetStdHandle(STD_ERROR_HANDLE);
    for (long sent = 0; sent < total; sent += (long)chunk.size()) {
      DWORD written = 0;
      if (!::WriteFile(err, chunk.data(), (DWORD)chunk.size(), &written, nullptr)) break;
    }
    WriteOut("done");
    return 0;
  }
  if (mode == L"sleep" && argc > 2) {
    ::Sleep((DWORD)std::wcstol(argv[2], nullptr, 10));
    return 0;
  }
  if (mode == L"mutex" && argc > 2) {
    Utils::InstanceMutex mutex(argv[2]);
    return mutex.Create() ? 0 : 3;
  }
  if (mode == L"spawn-sleep" && argc > 2) {
    std::wstring line = L"\"" + ModulePath() + L"\" sleep " + argv[2];
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(ModulePath().c_str(), &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
      return 4;
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return 0;
  }
  if (mode == L"settings") {
    InstallerSettings& s = InstallerSettings::Instance();
    s.ApplyCommandLine();
    wchar_t scale[64];
    swprintf(scale, 64, L"%.6f", s.DownloadScale);
    std::wstring out = L"ProductCode=" + s.ProductCode + L"\nProductVersion=" + s.ProductVersion +
                       L"\nExeFileName=" + s.ExeFileName + L"\nDlAppNameSuffix=" + s.DlAppNameSuffix +
                       L"\nm_DlAppVersion=" + s.m_DlAppVersion + L"\nInstCmd=" + s.InstCmd +
                       L"\nDownloadUrl=" + s.DownloadUrl + L"\nDownloadType=" + std::to_wstring(s.DownloadType) +
                       L"\nIsCheckNet=" + (s.IsCheckNet ? L"1" : L"0") +
                       L"\nIsEnableAppTelemetry=" + (s.IsEnableAppTelemetry ? L"1" : L"0") +
                       L"\nDownloadScale=" + scale + L"\nAbGroup=" + s.AbGroup + L"\n";
    WriteOut(Utils::ToNarrow(out, 65001));
    return 0;
  }
  if (mode == L"exit" && argc > 2) return (int)std::wcstol(argv[2], nullptr, 10);
  return 2;
}
