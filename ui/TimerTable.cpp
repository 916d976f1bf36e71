#include "ui/TimerTable.h"

namespace SkinUI {

TimerTable::StartResult TimerTable::Start(const void* owner, const void* window, int localId, unsigned* nativeId) {
    for (TimerRecord& r : records_) {
        if (r.owner == owner && r.window == window && r.localId == localId) {
            if (!r.killed) return StartResult::kFailed;
            r.killed = false;
            if (nativeId) *nativeId = r.nativeId;
            return StartResult::kRevived;
        }
    }
    lastNative_ = (lastNative_ + 1) % 255;
    TimerRecord rec;
    rec.owner = owner;
    rec.window = window;
    rec.localId = localId;
    rec.nativeId = lastNative_;
    records_.push_back(rec);
    if (nativeId) *nativeId = rec.nativeId;
    return StartResult::kStarted;
}

bool TimerTable::Stop(const void* owner, const void* window, int localId, unsigned* nativeId) {
    for (TimerRecord& r : records_) {
        if (r.owner == owner && r.window == window && r.localId == localId && !r.killed) {
            r.killed = true;
            if (nativeId) *nativeId = r.nativeId;
            return true;
        }
    }
    return false;
}

const TimerRecord* TimerTable::FindLive(const void* window, unsigned nativeId) const {
    for (const TimerRecord& r : records_)
        if (r.window == window && r.nativeId == nativeId && !r.killed) return &r;
    return nullptr;
}

std::vector<unsigned> TimerTable::RemoveOwner(const void* owner) {
    std::vector<unsigned> live;
    std::vector<TimerRecord> keep;
    for (const TimerRecord& r : records_) {
        if (r.owner == owner) {
            if (!r.killed) live.push_back(r.nativeId);
        } else {
            keep.push_back(r);
        }
    }
    records_.swap(keep);
    return live;
}

std::vector<unsigned> TimerTable::Clear() {
    std::vector<unsigned> live;
    for (const TimerRecord& r : records_)
        if (!r.killed) live.push_back(r.nativeId);
    records_.clear();
    return live;
}

}  // namespace SkinUI
