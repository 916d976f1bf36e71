#include "install/InstallRunner.h"

#include <exception>
#include <utility>

#include "app/InstallerSettings.h"
#include "install/ChildOutputReader.h"
#include "install/ReportCodes.h"
#include "install/RunnerCommandLine.h"
#include "install/SystemDecode.h"

using namespace InstallCodes;

namespace {

std::wstring Unquoted(const std::wstring& path) {
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') return path.substr(1, path.size() - 2);
  return path;
}

}  // namespace

InstallRunner::InstallRunner(ReportCallback report, std::wstring packagePath, std::wstring installFolder,
                             bool quickLaunch, bool desktop, bool userAdmin)
    : report_(std::move(report)),
      packagePath_(std::move(packagePath)),
      installFolder_(std::move(installFolder)),
      quickLaunch_(quickLaunch),
      desktop_(desktop),
      userAdmin_(userAdmin),
      decoder_(ProtocolDecoder::Run::Install,
               [this](int32_t code, double value, const std::wstring& text) { Report(code, value, text); },
               SystemDecode()) {}

InstallRunner::~InstallRunner() { thread_.reset(); }

void InstallRunner::Report(int32_t code, double value, const std::wstring& text) const {
  if (report_) report_(code, value, text);
}

void InstallRunner::Start() {
  std::wstring commandLine = BuildInstallCommandLine(packagePath_, installFolder_, userAdmin_, tokenAdmin_,
                                                     desktop_, quickLaunch_, InstallerSettings::Instance().InstCmd);
  thread_.reset();  // waits for an earlier run
  commandLine_ = std::move(commandLine);
  thread_.reset(new Utils::Thread(this, L"ABDEF", [](void* self) { return static_cast<InstallRunner*>(self)->Run(); }));
  thread_->Start();
}

int InstallRunner::Run() {
  Report(IST_CODE_START, 0, L"");
  Report(IST_CODE_PROGRESS, 0, L"");
  decoder_.Reset();
  try {
    process_.reset(new Utils::Process());
    process_->Launch(commandLine_, Unquoted(packagePath_));
  } catch (const std::exception&) {
    process_.reset();
    Report(IST_CODE_FAIL, 2.0, L"");
    return 0;
  }

  bool decisive = false;
  for (;;) {
    if (!ChildOutput::Running(*process_)) break;
    ChildOutput::DiscardErrorOutput(*process_);
    bool got = false;
    if (ChildOutput::ReadChunk(*process_, decoder_, got) != ProtocolDecoder::kNone) {
      decisive = true;  // the parser has reported the outcome; read no more
      break;
    }
    ::Sleep(100);
  }
  // The child has ended: what it wrote just before, and a last line without
  // a line feed, may still decide the outcome.
  if (!decisive) decisive = ChildOutput::Drain(*process_, decoder_, true) != ProtocolDecoder::kNone;
  else ChildOutput::DiscardUntilEnd(*process_);

  ::WaitForSingleObject(process_->processInfo.hProcess, INFINITE);
  process_->Close();
  process_.reset();
  if (!decisive) Report(INSTALL_SUCCESS, 1.0, L"");
  return 0;
}
