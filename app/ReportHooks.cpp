#include "app/ReportHooks.h"

#include <windows.h>
#include <objbase.h>

#include <exception>
#include <vector>

#include "app/InstallProgress.h"
#include "app/InstallerSettings.h"
#include "telemetry/tracker/Tracker.h"
#include "utils/SystemQueries.h"
#include "utils/TextConvert.h"

namespace App {

namespace {

namespace tm = orvan::telemetry;

bool Enabled() { return InstallerSettings::Get().IsEnableAppTelemetry; }

std::string Utf8(const std::wstring& text) { return Utils::ToNarrow(text, 65001); }

// The AB group, when valid, is attached to the hook's event kind.
void AddAbGroup(tm::OvContextProperties& context, const ReportProperties& properties, int kind) {
  auto ab = properties.find(L"AB");
  if (ab == properties.end()) return;
  std::string value = Utf8(ab->second);
  try {
    if (tm::isValidABValue(value)) context.setProperty("ovc_ab", value, std::vector<int>{kind});
  } catch (const std::exception&) {
    // A rejected AB value is left out of the event.
  }
}

}  // namespace

void ReportTask(const std::wstring& name, float elapsedSeconds, const std::wstring& reason,
                const ReportProperties& properties) {
  if (!Enabled()) return;
  try {
    tm::OvContextProperties context;
    AddAbGroup(context, properties, tm::OvEvent::Task);
    const float elapsed = elapsedSeconds;
    const tm::OvTaskResult::Value result = tm::OvTaskResult::Success;
    tm::OvEventTask task;
    task.name = Utf8(name);
    task.reason = Utf8(reason);
    task.elapsed = &elapsed;
    task.result = &result;
    if (auto tracker = tm::GetTracker()) tracker->trackTask(task, context);
  } catch (const std::exception&) {
  }
}

void ReportClick(const ReportProperties& properties, const std::wstring& name) {
  if (!Enabled()) return;
  try {
    tm::OvContextProperties context;
    AddAbGroup(context, properties, tm::OvEvent::Click);
    tm::OvEventClick click;
    click.name = Utf8(name);
    click.clickType = tm::OvClickType::Button;
    if (auto tracker = tm::GetTracker()) tracker->trackClick(click, context);
  } catch (const std::exception&) {
  }
}

void ReportView(const ReportProperties& properties) {
  if (!Enabled()) return;
  try {
    tm::OvContextProperties context;
    AddAbGroup(context, properties, tm::OvEvent::View);
    tm::OvEventView view;
    view.name = Utf8(L"安装中");
    if (auto tracker = tm::GetTracker()) tracker->trackView(view, context);
  } catch (const std::exception&) {
  }
}

void ReportCrash() {
  if (!Enabled()) return;
  try {
    if (auto tracker = tm::GetTracker()) tracker->trackCrash(Utf8(L"崩溃"));
  } catch (const std::exception&) {
  }
}

std::wstring DiagnoseDownloadFailure(const std::wstring& installFolder, double value, const std::wstring& text) {
  const std::wstring package = installFolder + L"\\__Package_" + L"Quelvox" + L".exe";

  uint32_t network = 0;
  {
    HRESULT hr = CoInitialize(nullptr);
    network = Utils::CheckNetwork();
    if (SUCCEEDED(hr)) CoUninitialize();
  }

  bool writable;
  if (GetFileAttributesW(package.c_str()) != INVALID_FILE_ATTRIBUTES) {
    writable = DeleteFileW(package.c_str()) != FALSE;
  } else {
    HANDLE file = CreateFileW(package.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    writable = file != INVALID_HANDLE_VALUE;
    if (writable) {
      CloseHandle(file);
      DeleteFileW(package.c_str());
    }
  }

  Utils::HardDiskManager disk;
  double freeGiB = disk.CheckFreeSpace(package) ? static_cast<double>(disk.FreeBytesForUser()) / 1073741824.0 : 0.0;
  return DownloadFailureReason(value, text, freeGiB, writable, network);
}

}  // namespace App
