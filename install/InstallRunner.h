// Runs the downloaded setup package silently on a worker thread and turns
// its console output into reports (2001-2004, 3000-3009). Made once per
// controller and started after every successful download; the decoding
// code page and the installed version survive from one run to the next.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "install/ProtocolDecoder.h"
#include "utils/Process.h"
#include "utils/ReportCallback.h"
#include "utils/Thread.h"

class InstallRunner {
 public:
  // packagePath comes enclosed in double quotes.
  InstallRunner(ReportCallback report, std::wstring packagePath, std::wstring installFolder, bool quickLaunch,
                bool desktop, bool userAdmin);
  // Waits for a run in progress.
  ~InstallRunner();
  InstallRunner(const InstallRunner&) = delete;
  InstallRunner& operator=(const InstallRunner&) = delete;

  // Builds the command line, waits for an earlier run to end, and starts a
  // new run on the worker thread "ABDEF".
  void Start();

  // Set by the controller before every Start, never during a run.
  void SetInstallFolder(const std::wstring& folder) { installFolder_ = folder; }
  void SetDesktop(bool on) { desktop_ = on; }
  void SetQuickLaunch(bool on) { quickLaunch_ = on; }
  void SetUserAdmin(bool on) { userAdmin_ = on; }
  void SetTokenAdmin(bool on) { tokenAdmin_ = on; }

  const std::wstring& CommandLine() const { return commandLine_; }
  int32_t CodePage() const { return decoder_.CodePage(); }
  ProtocolDecoder::Version InstalledVersion() const { return decoder_.InstalledVersion(); }

 private:
  int Run();
  void Report(int32_t code, double value, const std::wstring& text) const;

  ReportCallback report_;
  std::wstring packagePath_;
  std::wstring installFolder_;
  std::wstring commandLine_;
  bool quickLaunch_;
  bool desktop_;
  bool userAdmin_;
  bool tokenAdmin_ = true;
  ProtocolDecoder decoder_;
  std::unique_ptr<Utils::Thread> thread_;
  std::unique_ptr<Utils::Process> process_;
};
