// Frame stepping of the sequence controls (loop and round-trip rules) and
// the frame picture names.
#pragma once

#include <string>

namespace SkinUI {

struct SequenceFrames {
    int count = 0;
    bool loop = true;
    bool round = false;
    bool forward = true;
    int index = 0;

    // One tick. Returns true with the frame number to show; returns false
    // when nothing is drawn, with *stop set when the timer must be killed.
    bool Tick(int* frame, bool* stop);
};

// The pattern with its first integer conversion (%d, %.3d, %03x, ...)
// replaced by the frame number; at most 259 characters. Anything else
// after a '%' is kept as written, so a pattern can never read arguments
// that are not there.
std::wstring FormatFrameName(const std::wstring& pattern, int frame);

}  // namespace SkinUI
