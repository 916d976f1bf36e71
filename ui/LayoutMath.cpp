#include "ui/LayoutMath.h"

namespace SkinUI {

namespace {
int Clamp(int v, int lo, int hi) {
    if (v < lo) v = lo;
    if (v > hi) v = hi;  // the maximum wins over the minimum
    return v;
}
int Min(int a, int b) { return a < b ? a : b; }
int Max(int a, int b) { return a > b ? a : b; }
}  // namespace

std::vector<UiRect> LayoutVertical(const std::vector<LayoutItem*>& items, const UiRect& rc, int childPadding,
                                   ChildAlign align) {
    std::vector<UiRect> out;
    const int W = rc.Width(), H = rc.Height();
    int n = 0, m = 0, F = 0;
    for (LayoutItem* it : items) {
        UiRect pad = it->GetPadding();
        int aw = Min(it->GetFixedWidth() > 0 ? it->GetFixedWidth() : it->GetMaxWidth(), W - pad.left - pad.right);
        int ah = Min(it->GetFixedHeight() > 0 ? it->GetFixedHeight() : it->GetMaxHeight(), H);
        UiSize sz = it->EstimateSize(UiSize{aw, ah});
        int h = 0;
        if (sz.cy == 0)
            ++n;
        else
            h = Clamp(sz.cy, it->GetMinHeight(), it->GetMaxHeight());
        F += pad.top + pad.bottom + h;
        ++m;
    }
    if (m > 0) F += childPadding * (m - 1);
    int S = n > 0 ? Max(0, (H - F) / n) : 0;

    int y = rc.top, R = H, FR = F, adjusted = 0, k = 0;
    for (LayoutItem* it : items) {
        ++k;
        UiRect pad = it->GetPadding();
        R -= pad.top;
        FR -= pad.top + pad.bottom;
        if (k > 1) FR -= childPadding;
        int aw = Min(it->GetFixedWidth() > 0 ? it->GetFixedWidth() : it->GetMaxWidth(), W - pad.left - pad.right);
        UiSize sz = it->EstimateSize(
            UiSize{aw, Min(it->GetFixedHeight() > 0 ? it->GetFixedHeight() : it->GetMaxHeight(), R)});
        int h;
        if (sz.cy != 0) {
            h = Clamp(sz.cy, it->GetMinHeight(), it->GetMaxHeight());
            FR -= h;
        } else {
            ++adjusted;
            h = adjusted == n ? Max(0, R - pad.bottom - FR) : S;
            h = Clamp(h, it->GetMinHeight(), it->GetMaxHeight());
        }
        int w = Max(0, Min(aw, it->GetMaxWidth()));
        w = Max(w, it->GetMinWidth());
        int x;
        if (align == kAlignCenter)
            x = (rc.left + rc.right) / 2 - w / 2;
        else if (align == kAlignEnd)
            x = rc.right - pad.right - w;
        else
            x = rc.left + pad.left;
        out.push_back(MakeRect(x, y + pad.top, x + w, y + pad.top + h));
        y += h + pad.top + pad.bottom + childPadding;
        R -= h + pad.bottom + childPadding;
    }
    return out;
}

std::vector<UiRect> LayoutHorizontal(const std::vector<LayoutItem*>& items, const UiRect& rc, int childPadding,
                                     ChildAlign valign) {
    std::vector<UiRect> out;
    const int W = rc.Width(), H = rc.Height();
    int n = 0, m = 0, F = 0;
    for (LayoutItem* it : items) {
        UiRect pad = it->GetPadding();
        int aw = Min(it->GetFixedWidth() > 0 ? it->GetFixedWidth() : it->GetMaxWidth(), W);
        int ah = Min(it->GetFixedHeight() > 0 ? it->GetFixedHeight() : it->GetMaxHeight(), H - pad.top - pad.bottom);
        int w = 0;
        if (it->GetFixedWidth() == 0) {
            ++n;
        } else {
            UiSize sz = it->EstimateSize(UiSize{aw, ah});
            if (sz.cx == 0)
                ++n;
            else
                w = Clamp(sz.cx, it->GetMinWidth(), it->GetMaxWidth());
        }
        F += pad.left + pad.right + w;
        ++m;
    }
    if (m > 0) F += childPadding * (m - 1);
    int S = n > 0 ? Max(0, (W - F) / n) : 0;

    int x = rc.left, R = W, FR = F, adjusted = 0, k = 0;
    for (LayoutItem* it : items) {
        ++k;
        UiRect pad = it->GetPadding();
        R -= pad.left;
        FR -= pad.left + pad.right;
        if (k > 1) FR -= childPadding;
        int ah = Min(it->GetFixedHeight() > 0 ? it->GetFixedHeight() : it->GetMaxHeight(), H - pad.top - pad.bottom);
        UiSize sz = it->EstimateSize(
            UiSize{Min(it->GetFixedWidth() > 0 ? it->GetFixedWidth() : it->GetMaxWidth(), R), ah});
        int w;
        if (it->GetFixedWidth() > 0 && sz.cx != 0) {
            w = Clamp(sz.cx, it->GetMinWidth(), it->GetMaxWidth());
            FR -= w;
        } else {
            ++adjusted;
            w = adjusted == n ? Max(0, R - pad.right - FR) : S;
            w = Clamp(w, it->GetMinWidth(), it->GetMaxWidth());
        }
        int h = Max(0, Min(ah, it->GetMaxHeight()));
        h = Max(h, it->GetMinHeight());
        int y;
        if (valign == kAlignCenter)
            y = (rc.top + rc.bottom) / 2 - h / 2;
        else if (valign == kAlignEnd)
            y = rc.bottom - pad.bottom - h;
        else
            y = rc.top + pad.top;
        out.push_back(MakeRect(x + pad.left, y, x + pad.left + w, y + h));
        x += w + pad.left + pad.right + childPadding;
        R -= w + pad.right + childPadding;
    }
    return out;
}

UiRect LayoutTabChild(LayoutItem* it, const UiRect& rc) {
    UiRect pad = it->GetPadding();
    int W2 = rc.Width() - pad.left - pad.right;
    int H2 = rc.Height() - pad.top - pad.bottom;
    UiSize sz = it->EstimateSize(UiSize{W2, H2});
    if (sz.cx == 0) sz.cx = Max(0, W2);
    sz.cx = Clamp(sz.cx, it->GetMinWidth(), it->GetMaxWidth());
    if (sz.cy == 0) sz.cy = Max(0, H2);
    sz.cy = Clamp(sz.cy, it->GetMinHeight(), it->GetMaxHeight());
    int l = rc.left + pad.left, t = rc.top + pad.top;
    return MakeRect(l, t, l + sz.cx, t + sz.cy);
}

}  // namespace SkinUI
