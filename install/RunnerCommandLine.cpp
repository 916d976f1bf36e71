#include "install/RunnerCommandLine.h"

namespace {
const wchar_t* Flag(bool on) { return on ? L"true" : L"false"; }
}  // namespace

std::wstring BuildInstallCommandLine(const std::wstring& packagePath, const std::wstring& installFolder,
                                     bool userAdmin, bool tokenAdmin, bool desktop, bool quickLaunch,
                                     const std::wstring& instCmd) {
  std::wstring line = packagePath;
  line += L" /S -console=show -version=1.0.0";
  line += L" -adminact=";
  line += Flag(userAdmin);
  line += L" -authorizationact=";
  line += Flag(tokenAdmin);
  line += L" -dsc=";
  line += Flag(desktop);
  line += L" -ssc=";
  line += Flag(quickLaunch);
  if (!instCmd.empty()) {
    line += L" ";
    line += instCmd;
  }
  if (!installFolder.empty()) {
    line += L" -instdir=\"";
    line += installFolder;
    line += L"\"";
    line += L" /D=";
    line += installFolder;
  }
  return line;
}

std::wstring BuildUninstallCommandLine(const std::wstring& uninstallerPath, bool userAdmin, bool tokenAdmin,
                                       const std::wstring& targetFolder) {
  std::wstring line = uninstallerPath;
  line += L" /S -adminact=";
  line += Flag(userAdmin);
  line += L" -authorizationact=";
  line += Flag(tokenAdmin);
  line += L" -console=show _?=";
  line += targetFolder;
  return line;
}
