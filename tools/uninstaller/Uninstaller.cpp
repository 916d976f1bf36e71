// Stand-in for the product's uninstaller (installed as uninst.ep): removes
// the installation in the folder after "_?=" and prints the console
// protocol when asked with "-console=show".
//
// Default run: "Encode=UTF8", three "Progress=" lines, then "State=Success",
// or "State=Fail" when the product's files cannot be removed (the product
// is running, say). QV_UNINST_SCENARIO names a scenario file instead.
#include <windows.h>

#include <string>

#include "tools/setup_package/Scenario.h"
#include "tools/setup_package/StubCommandLine.h"
#include "tools/setup_package/StubOutput.h"

namespace {

const wchar_t* const kInstalledFiles[] = {L"Quelvox.exe", L"uninst.ep", L"desktop_shortcut.txt",
                                          L"quicklaunch_shortcut.txt", L"set.ini"};

bool SameFolder(std::wstring a, std::wstring b) {
  while (!a.empty() && a.back() == L'\\') a.pop_back();
  while (!b.empty() && b.back() == L'\\') b.pop_back();
  return ::CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Forgets the installation record when it names this folder.
void ForgetInstallRecord(const std::wstring& folder) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\OrvanSoft\\Quelvox", 0, KEY_READ | KEY_SET_VALUE, &key) !=
      ERROR_SUCCESS)
    return;
  wchar_t path[1024] = L"";
  DWORD size = sizeof(path) - sizeof(wchar_t), type = 0;
  if (::RegQueryValueExW(key, L"InstallPath", nullptr, &type, reinterpret_cast<BYTE*>(path), &size) ==
          ERROR_SUCCESS &&
      type == REG_SZ && SameFolder(path, folder)) {
    ::RegDeleteValueW(key, L"InstallPath");
    ::RegDeleteValueW(key, L"UnInstallEp");
  }
  ::RegCloseKey(key);
}

class Uninstaller {
 public:
  explicit Uninstaller(const StubCommandLine& args) : args_(args), out_(args.console) {}

  int Main() {
    wchar_t scenario[MAX_PATH] = L"";
    if (::GetEnvironmentVariableW(L"QV_UNINST_SCENARIO", scenario, MAX_PATH) > 0) {
      ScenarioContext context;
      context.folder = args_.targetFolder;
      context.commandLine = args_.raw;
      context.scenarioVariable = L"QV_UNINST_SCENARIO";
      context.work = [this] { return Remove(); };
      context.defaults = [this] { return DefaultRun(); };
      return RunScenario(scenario, out_, context);
    }
    return DefaultRun();
  }

 private:
  // Removes the installed files and, when it is empty then, the folder.
  std::wstring Remove() {
    const std::wstring& folder = args_.targetFolder;
    if (folder.empty()) return L"未指定卸载目录";
    // The product first: while it runs nothing is touched.
    const std::wstring product = folder + L"\\Quelvox.exe";
    if (!::DeleteFileW(product.c_str()) && ::GetLastError() != ERROR_FILE_NOT_FOUND &&
        ::GetLastError() != ERROR_PATH_NOT_FOUND)
      return L"无法删除 " + product;
    for (const wchar_t* name : kInstalledFiles) ::DeleteFileW((folder + L"\\" + name).c_str());
    ::RemoveDirectoryW(folder.c_str());
    ForgetInstallRecord(folder);
    return L"";
  }

  int DefaultRun() {
    if (!args_.silent) {
      std::wstring ask = L"从\n" + args_.targetFolder + L"\n卸载 Sonavex 吗？";
      if (::MessageBoxW(nullptr, ask.c_str(), L"Sonavex 卸载", MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        out_.Line(L"State=Fail");
        return 1;
      }
    }
    out_.Line(L"Encode=UTF8");
    out_.Line(L"Progress=0.1");
    out_.Flush();
    ::Sleep(100);
    std::wstring error = Remove();
    out_.Line(L"Progress=0.6");
    out_.Flush();
    ::Sleep(100);
    if (!error.empty()) {
      out_.Line(L"State=Fail");
      return 1;
    }
    out_.Line(L"Progress=1");
    out_.Line(L"State=Success");
    out_.Flush();
    return 0;
  }

  StubCommandLine args_;
  StubOutput out_;
};

}  // namespace

int wmain() {
  Uninstaller uninstaller(StubCommandLine::Parse(::GetCommandLineW()));
  return uninstaller.Main();
}
