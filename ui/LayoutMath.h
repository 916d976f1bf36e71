// The placement arithmetic of the vertical, horizontal and tab layouts.
// Pure: a child is seen only through LayoutItem.
#pragma once

#include <vector>

#include "ui/Geometry.h"

namespace SkinUI {

class LayoutItem {
public:
    virtual ~LayoutItem() = default;
    virtual int GetFixedWidth() const = 0;
    virtual int GetFixedHeight() const = 0;
    virtual int GetMinWidth() const = 0;
    virtual int GetMinHeight() const = 0;
    virtual int GetMaxWidth() const = 0;
    virtual int GetMaxHeight() const = 0;
    virtual UiRect GetPadding() const = 0;
    // The natural size for the given available width and height.
    virtual UiSize EstimateSize(UiSize available) = 0;
};

enum ChildAlign { kAlignStart = 0, kAlignCenter = 1, kAlignEnd = 2 };

// `items` are the visible, non-float children in order; `rc` is the
// container's rectangle shrunk by its inset. Returns one rectangle per item.
std::vector<UiRect> LayoutVertical(const std::vector<LayoutItem*>& items, const UiRect& rc, int childPadding,
                                   ChildAlign align);
std::vector<UiRect> LayoutHorizontal(const std::vector<LayoutItem*>& items, const UiRect& rc, int childPadding,
                                     ChildAlign valign);
UiRect LayoutTabChild(LayoutItem* item, const UiRect& rc);

}  // namespace SkinUI
