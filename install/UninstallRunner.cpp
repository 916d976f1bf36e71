#include "install/UninstallRunner.h"

#include <exception>
#include <utility>

#include "install/ChildOutputReader.h"
#include "install/ReportCodes.h"
#include "install/RunnerCommandLine.h"
#include "install/SystemDecode.h"
#include "utils/SystemQueries.h"

using namespace InstallCodes;

UninstallRunner::UninstallRunner(ReportCallback report, std::wstring uninstallerPath, std::wstring targetFolder)
    : report_(std::move(report)),
      uninstallerPath_(std::move(uninstallerPath)),
      targetFolder_(std::move(targetFolder)),
      decoder_(ProtocolDecoder::Run::Uninstall,
               [this](int32_t code, double value, const std::wstring& text) { Report(code, value, text); },
               SystemDecode()) {}

UninstallRunner::~UninstallRunner() { thread_.reset(); }

void UninstallRunner::Report(int32_t code, double value, const std::wstring& text) const {
  if (report_) report_(code, value, text);
}

void UninstallRunner::Start() {
  bool userAdmin = Utils::IsUserAdmin(Utils::GetSessionUserName());
  bool tokenAdmin = Utils::IsTokenAdmin();
  thread_.reset();
  commandLine_ = BuildUninstallCommandLine(uninstallerPath_, userAdmin, tokenAdmin, targetFolder_);
  thread_.reset(
      new Utils::Thread(this, L"UnInstaller", [](void* self) { return static_cast<UninstallRunner*>(self)->Run(); }));
  thread_->Start();
}

int UninstallRunner::Run() {
  DWORD attributes = ::GetFileAttributesW(uninstallerPath_.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    Report(UNIST_CODE_FAIL, 1.0, L"可执行卸载文件不存在");
    return 0;
  }
  Report(UNIST_CODE_PROGRESS, 0, L"");
  try {
    process_.reset(new Utils::Process());
    // The path goes unquoted on the command line; naming the program
    // explicitly keeps a path with blanks from being searched prefix by prefix.
    process_->Launch(commandLine_, uninstallerPath_);
  } catch (const std::exception&) {
    process_.reset();
    Report(UNIST_CODE_FAIL, 2.0, L"");
    return 0;
  }

  bool decisive = false;
  while (ChildOutput::Running(*process_)) {
    ChildOutput::DiscardErrorOutput(*process_);
    bool got = false;
    if (ChildOutput::ReadChunk(*process_, decoder_, got) != ProtocolDecoder::kNone) decisive = true;
    // Nothing to read: wait a little for the child or its next output.
    if (!got) ::WaitForSingleObject(process_->processInfo.hProcess, 100);
  }
  if (ChildOutput::Drain(*process_, decoder_, false) != ProtocolDecoder::kNone) decisive = true;

  ::WaitForSingleObject(process_->processInfo.hProcess, INFINITE);
  process_->Close();
  process_.reset();
  if (!decisive) Report(UNIST_CODE_SUCCESS, 1.0, L"");
  return 0;
}
