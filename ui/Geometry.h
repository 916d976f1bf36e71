// Plain rectangle and size types of the toolkit's pure code (no Win32).
#pragma once

namespace SkinUI {

struct UiRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const UiRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct UiSize {
    int cx = 0, cy = 0;
};

inline UiRect MakeRect(int l, int t, int r, int b) {
    UiRect rc;
    rc.left = l; rc.top = t; rc.right = r; rc.bottom = b;
    return rc;
}

inline bool Intersect(UiRect& out, const UiRect& a, const UiRect& b) {
    out.left = a.left > b.left ? a.left : b.left;
    out.top = a.top > b.top ? a.top : b.top;
    out.right = a.right < b.right ? a.right : b.right;
    out.bottom = a.bottom < b.bottom ? a.bottom : b.bottom;
    if (out.right <= out.left || out.bottom <= out.top) {
        out = UiRect();
        return false;
    }
    return true;
}

}  // namespace SkinUI
