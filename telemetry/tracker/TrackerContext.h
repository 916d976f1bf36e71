// The tracker's identity and files: where they live, how the identity is
// made and kept between runs.
#pragma once

#include <mutex>
#include <string>

namespace orvan {
namespace telemetry {

struct TrackerContext {
  bool isLoggedIn = false;
  std::string userId;             // UTF-8
  std::string distinctId;
  std::string primaryDistinctId;
  int userVipLevel = 0;
  std::string logPath;            // UTF-8
  std::string locale;
  std::wstring dataDirectory;     // ends in a backslash
  std::wstring identityFile;
  std::string storedUrl;          // the endpoint the identity was made for
  std::mutex lock;

  // Fixes identityFile and dataDirectory (Set.ini beside the executable, else
  // the default directory); the log path defaults to the data directory.
  void ResolveFiles(const std::string& appName, const std::string& configuredLogPath);
  void LoadIdentity();
  void SaveIdentity();
  void SaveAppInfo(const std::string& appName, const std::string& appVersion, const std::string& appStore);
  // After LoadIdentity: a changed endpoint (or no identity) signs out and
  // returns to the primary distinct id.
  void SettleIdentity(const std::string& url);
  // The staging file of undelivered records, beside the identity file.
  std::wstring StagingFile(const std::string& appName) const;
};

// "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" from CoCreateGuid (generator fallback).
std::string NewDistinctId();
// Creates every missing level of a directory path; true when it exists afterwards.
bool CreateDirectoryLevels(const std::wstring& path);

}  // namespace telemetry
}  // namespace orvan
