// The command lines the runners hand to the setup package and to the old
// version's uninstaller. Pure text assembly; the callers supply the
// administrator answers and the settings.
#pragma once

#include <string>

// "<package> /S -console=show -version=1.0.0 -adminact=.. -authorizationact=..
//  -dsc=.. -ssc=..[ <instCmd>][ -instdir="<folder>" /D=<folder>]".
// `packagePath` comes already enclosed in double quotes.
std::wstring BuildInstallCommandLine(const std::wstring& packagePath, const std::wstring& installFolder,
                                     bool userAdmin, bool tokenAdmin, bool desktop, bool quickLaunch,
                                     const std::wstring& instCmd);

// "<uninstaller> /S -adminact=.. -authorizationact=.. -console=show _?=<folder>",
// both paths unquoted; the folder is the last text of the line.
std::wstring BuildUninstallCommandLine(const std::wstring& uninstallerPath, bool userAdmin, bool tokenAdmin,
                                       const std::wstring& targetFolder);
