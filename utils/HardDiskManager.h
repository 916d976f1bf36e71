// Free space of a volume.
#pragma once

#include <cstdint>
#include <string>

namespace Utils {

class HardDiskManager {
 public:
  virtual ~HardDiskManager() = default;

  // Fills the three fields for the volume of path (a folder or drive root).
  // On failure logs the system error and keeps the fields as they were.
  bool CheckFreeSpace(const std::wstring& path);

  uint64_t FreeBytesForUser() const { return freeBytesForUser; }
  uint64_t TotalBytes() const { return totalBytes; }
  uint64_t TotalFreeBytes() const { return totalFreeBytes; }

  uint64_t freeBytesForUser = 0;
  uint64_t totalBytes = 0;
  uint64_t totalFreeBytes = 0;
};

}  // namespace Utils
