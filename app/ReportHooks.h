// The installer's usage events: the only place installer code calls the
// tracker's tracking operations. Every hook does nothing at all while usage
// analytics are off (IsEnableAppTelemetry), and never reports a failure.
#pragma once

#include <map>
#include <string>

namespace App {

// Wide key -> wide value; the installer passes {"AB", <AB group>}.
using ReportProperties = std::map<std::wstring, std::wstring>;

// A task outcome (always with the result "Success"; failures are told by
// the name and the reason).
void ReportTask(const std::wstring& name, float elapsedSeconds, const std::wstring& reason,
                const ReportProperties& properties);
void ReportClick(const ReportProperties& properties, const std::wstring& name);
// The progress page was entered ("安装中").
void ReportView(const ReportProperties& properties);
void ReportCrash();

// The full diagnosis of a failed download for the "下载失败原因" task:
// probes the package path (deleting a partial package there), the free
// space on its drive and the network, and formats the reason.
std::wstring DiagnoseDownloadFailure(const std::wstring& installFolder, double value, const std::wstring& text);

}  // namespace App
