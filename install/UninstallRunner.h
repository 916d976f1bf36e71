// Runs the old version's uninstaller (a copy in the temporary folder)
// silently on a worker thread and turns its console output into reports
// (5002-5005). Made anew for every uninstallation.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "install/ProtocolDecoder.h"
#include "utils/Process.h"
#include "utils/ReportCallback.h"
#include "utils/Thread.h"

class UninstallRunner {
 public:
  UninstallRunner(ReportCallback report, std::wstring uninstallerPath, std::wstring targetFolder);
  // Waits for the run to end.
  ~UninstallRunner();
  UninstallRunner(const UninstallRunner&) = delete;
  UninstallRunner& operator=(const UninstallRunner&) = delete;

  // Builds the command line (asking the administrator questions afresh) and
  // starts the run on the worker thread "UnInstaller". Returns at once.
  void Start();

  const std::wstring& CommandLine() const { return commandLine_; }

 private:
  int Run();
  void Report(int32_t code, double value, const std::wstring& text) const;

  ReportCallback report_;
  std::wstring commandLine_;
  std::wstring uninstallerPath_;
  std::wstring targetFolder_;
  ProtocolDecoder decoder_;
  std::unique_ptr<Utils::Thread> thread_;
  std::unique_ptr<Utils::Process> process_;
};
