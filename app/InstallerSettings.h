// The installer's process-wide settings record: built-in defaults, then
// OrvanInstallerConfig.ini beside the executable (section "Install"), then
// the command-line switches. Filled during static construction (defaults and
// file) and by start-up (command line); read-only afterwards.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class InstallerSettings {
 public:
  // The one record of the process, filled with the defaults and the settings
  // file beside the running executable before the entry point runs.
  static InstallerSettings& Instance();
  static const InstallerSettings& Get() { return Instance(); }
  static InstallerSettings& Mutable() { return Instance(); }

  // Built-in defaults only (the download address without its template step).
  InstallerSettings();

  std::wstring ProductCode;
  std::wstring ProductVersion;
  std::wstring ExeFileName;
  std::wstring DlAppNameSuffix;
  std::wstring m_DlAppVersion;
  std::wstring InstCmd;
  std::wstring DownloadUrl;
  int32_t DownloadType;
  bool IsCheckNet;
  bool IsEnableAppTelemetry;
  double DownloadScale;
  std::wstring AbGroup;
  bool CurlReady;

  // "http://" + the configured download host + "/software/273".
  static std::wstring DefaultDownloadUrl();

  // Overrides the fields whose switch is present. tokens is the split command
  // line (program path first); the route inputs feed the template step of
  // "-downloadurl". Pure.
  void ApplySwitches(const std::vector<std::wstring>& tokens, const std::wstring& versionName,
                     bool is64BitSystem);

  // Keeps ProductCode and ProductVersion fixed, whatever came before.
  void FixIdentity();

#ifdef _WIN32
  // Defaults, then the settings file beside exePath (which also names ExeFileName).
  void LoadDefaultsAndFile(const std::wstring& exePath);
  // The real process command line.
  void ApplyCommandLine();
  // A command line text, split as the system splits it.
  void ApplyCommandLine(const std::wstring& commandLine);
#endif
};
