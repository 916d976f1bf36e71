// Stand-in for the product's setup package: installs the demo product
// Quelvox.exe and the uninstaller uninst.ep into the "/D=" folder and
// prints the console protocol when asked with "-console=show".
//
// Default run (no scenario): "Encode=UTF8", a few "Progress=" lines over
// about two seconds, the facts about the installation, "State=Success".
// QV_SETUP_SCENARIO names a scenario file that scripts the run instead.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "Payload.h"
#include "Scenario.h"
#include "StubCommandLine.h"
#include "StubOutput.h"

namespace {

std::wstring CreateFolders(const std::wstring& folder) {
  for (size_t i = 0; i <= folder.size(); ++i) {
    if (i < folder.size() && folder[i] != L'\\' && folder[i] != L'/') continue;
    std::wstring part = folder.substr(0, i);
    if (part.empty() || part.back() == L':') continue;
    if (!::CreateDirectoryW(part.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
      return L"无法创建目录 " + part;
  }
  return L"";
}

std::wstring WriteFileBytes(const std::wstring& path, const void* data, DWORD size) {
  HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return L"无法写入 " + path;
  DWORD written = 0;
  BOOL ok = ::WriteFile(f, data, size, &written, nullptr) && written == size;
  ::CloseHandle(f);
  return ok ? L"" : L"无法写入 " + path;
}

std::wstring ExtractPayload(int id, const std::wstring& path) {
  HRSRC res = ::FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL data = res ? ::LoadResource(nullptr, res) : nullptr;
  const void* bytes = data ? ::LockResource(data) : nullptr;
  if (!bytes) return L"安装数据缺失";
  return WriteFileBytes(path, bytes, ::SizeofResource(nullptr, res));
}

std::wstring DefaultFolder() {
  wchar_t base[MAX_PATH] = L"";
  if (FAILED(::SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, base))) return L"C:\\Sonavex";
  return std::wstring(base) + L"\\Sonavex";
}

class SetupPackage {
 public:
  explicit SetupPackage(const StubCommandLine& args)
      : args_(args), folder_(args.folder.empty() ? DefaultFolder() : args.folder), out_(args.console) {}

  int Main() {
    wchar_t scenario[MAX_PATH] = L"";
    if (::GetEnvironmentVariableW(L"QV_SETUP_SCENARIO", scenario, MAX_PATH) > 0) {
      ScenarioContext context;
      context.folder = folder_;
      context.commandLine = args_.raw;
      context.scenarioVariable = L"QV_SETUP_SCENARIO";
      context.work = [this] { return Install(); };
      context.defaults = [this] { return DefaultRun(); };
      return RunScenario(scenario, out_, context);
    }
    return DefaultRun();
  }

 private:
  // The files of the installation; quiet. Returns an error text or "".
  std::wstring Install() {
    std::wstring error = CreateFolders(folder_);
    if (error.empty()) error = ExtractPayload(QV_PAYLOAD_PRODUCT, folder_ + L"\\Quelvox.exe");
    if (error.empty()) error = ExtractPayload(QV_PAYLOAD_UNINSTALLER, folder_ + L"\\uninst.ep");
    if (!error.empty()) return error;
    const std::wstring ini = folder_ + L"\\set.ini";
    ::WritePrivateProfileStringW(L"Uninstall", L"IsOverride", L"true", ini.c_str());
    // Shortcut markers: the text names the shortcut's target.
    std::string target = EncodeText(folder_ + L"\\Quelvox.exe", CP_UTF8);
    if (args_.desktopShortcut)
      error = WriteFileBytes(folder_ + L"\\desktop_shortcut.txt", target.data(), (DWORD)target.size());
    if (error.empty() && args_.quickLaunchShortcut)
      error = WriteFileBytes(folder_ + L"\\quicklaunch_shortcut.txt", target.data(), (DWORD)target.size());
    return error;
  }

  int DefaultRun() {
    if (!args_.silent) {
      std::wstring ask = L"将 Sonavex 安装到\n" + folder_ + L"\n继续吗？";
      if (::MessageBoxW(nullptr, ask.c_str(), L"Sonavex 安装", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        out_.Line(L"State=Fail");
        return 1;
      }
    }
    out_.Line(L"Encode=UTF8");
    out_.Flush();
    static const wchar_t* kSteps[] = {L"0.05", L"0.2", L"0.35", L"0.5", L"0.65", L"0.8", L"0.95"};
    for (int i = 0; i < 7; ++i) {
      out_.Line(std::wstring(L"Progress=") + kSteps[i]);
      out_.Flush();
      if (i == 3) {
        std::wstring error = Install();
        if (!error.empty()) {
          out_.Line(L"Error=" + error);
          return 2;
        }
      }
      ::Sleep(280);
    }
    out_.Line(L"InstPath=" + folder_);
    out_.Line(L"InstallVersion=1.7.9");
    out_.Line(L"ExePath=" + folder_ + L"\\Quelvox.exe");
    out_.Line(L"UninstExePath=" + folder_ + L"\\uninst.ep");
    out_.Line(L"UninstEp=" + folder_ + L"\\uninst.ep");
    out_.Line(L"Progress=1");
    out_.Line(L"State=Success");
    out_.Flush();
    return 0;
  }

  StubCommandLine args_;
  std::wstring folder_;
  StubOutput out_;
};

}  // namespace

int wmain() {
  SetupPackage package(StubCommandLine::Parse(::GetCommandLineW()));
  return package.Main();
}
