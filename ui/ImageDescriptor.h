// The image attribute mini-language: a plain file name, or key='value'
// pairs separated by spaces (file, res, restype, color, dest, source,
// corner/scale9, mask, fade, hole, xtiled, ytiled, hsl).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Geometry.h"

namespace SkinUI {

struct ImageDescriptor {
    std::wstring file;
    std::wstring resType;   // empty: the skin package; "*COLOR*": a colour
    UiRect dest, source, corner;
    uint32_t mask = 0;
    int fade = 255;
    bool hole = false, xtiled = false, ytiled = false, hsl = false;
};

ImageDescriptor ParseImageDescriptor(const std::wstring& text);

// Destination of a picture inside a control (relative "dest" applied and
// clipped to the control's right and bottom edges).
UiRect ImageDestination(const UiRect& control, const UiRect& dest);

// One piece of a nine-part drawing: where it goes and which pixels it takes.
struct ImagePiece {
    UiRect dst, src;
};

// Cuts source and destination by the corner widths. The middle is left out
// with `hole`; with xtiled/ytiled the middle is repeated at its natural size
// (the last copy cut at the edge) instead of being stretched.
std::vector<ImagePiece> NinePartPieces(const UiRect& dst, const UiRect& src, const UiRect& corner, bool hole,
                                       bool xtiled, bool ytiled);

}  // namespace SkinUI
