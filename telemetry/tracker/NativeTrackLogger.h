// The tracker's journal file, kept open from start-up to shutdown.
#pragma once

#include <fstream>
#include <mutex>
#include <string>

#include "telemetry/tracker/TrackLogger.h"

namespace orvan {
namespace telemetry {

class NativeTrackLogger : public TrackLogger {
 public:
  ~NativeTrackLogger() override;
  void read(int first, int count, std::vector<Entry>& entries) override;
  void clear() override;

  void Open(const std::string& path);  // UTF-8 path; created empty when missing
  void Close();
  bool IsOpen();

 private:
  std::string path_;
  std::fstream stream_;
  std::mutex lock_;
  int readPosition_ = -1;
};

}  // namespace telemetry
}  // namespace orvan
