// The tracker's journal interface.
#pragma once

#include <string>
#include <tuple>
#include <vector>

namespace orvan {
namespace telemetry {

class TrackLogger {
 public:
  // (event kind text, time text, properties text)
  using Entry = std::tuple<std::string, std::string, std::string>;

  virtual ~TrackLogger() = default;
  virtual void read(int first, int count, std::vector<Entry>& entries) = 0;
  virtual void clear() = 0;
};

}  // namespace telemetry
}  // namespace orvan
