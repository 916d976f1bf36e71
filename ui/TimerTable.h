// The per-window list of control timers and the choice of native timer ids.
#pragma once

#include <vector>

namespace SkinUI {

struct TimerRecord {
    const void* owner = nullptr;
    const void* window = nullptr;
    int localId = 0;
    unsigned nativeId = 0;
    bool killed = false;
};

class TimerTable {
public:
    enum class StartResult { kFailed, kStarted, kRevived };
    // kStarted: a new record with the next native id ((last + 1) mod 255);
    // kRevived: a killed record of the same owner, window and id is reused;
    // kFailed: that timer is running already.
    StartResult Start(const void* owner, const void* window, int localId, unsigned* nativeId);
    // Marks the first live record killed; false if there is none.
    bool Stop(const void* owner, const void* window, int localId, unsigned* nativeId);
    const TimerRecord* FindLive(const void* window, unsigned nativeId) const;
    // Removes every record of the owner; returns the native ids still live.
    std::vector<unsigned> RemoveOwner(const void* owner);
    std::vector<unsigned> Clear();
    const std::vector<TimerRecord>& Records() const { return records_; }

private:
    std::vector<TimerRecord> records_;
    unsigned lastNative_ = 0;
};

}  // namespace SkinUI
