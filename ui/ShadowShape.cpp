#include "ui/ShadowShape.h"

#include <cmath>

namespace SkinUI {

uint32_t ShadowPixel(uint32_t c, int a) {
    uint32_t r = (c & 0xFF) * a / 255, g = ((c >> 8) & 0xFF) * a / 255, b = ((c >> 16) & 0xFF) * a / 255;
    return ((uint32_t)a << 24) | (r << 16) | (g << 8) | b;
}

std::vector<uint32_t> ComputeShadow(const std::vector<RowSpan>& parentRows, int w, int h, const ShadowParams& prm) {
    const int s = prm.size, p = prm.sharpness, d = prm.darkness;
    const int W = w + 2 * s, H = h + 2 * s;
    std::vector<uint32_t> bits;
    if (W <= 0 || H <= 0) return bits;
    bits.assign((size_t)W * H, 0);

    const RowSpan emptyRow{W, 0};
    std::vector<RowSpan> rows(H, emptyRow);
    for (int y = 0; y < h && y < (int)parentRows.size(); ++y) {
        const RowSpan& r = parentRows[y];
        if (r.end <= r.start) continue;
        int sy = y + s;
        if (sy < 0 || sy >= H) continue;
        rows[sy] = RowSpan{r.start + s, r.end + s};
    }
    auto rowAt = [&](const std::vector<RowSpan>& v, int y) { return (y < 0 || y >= H) ? emptyRow : v[y]; };
    for (int it = 0; it < p - s; ++it) {
        std::vector<RowSpan> next(H);
        for (int y = 0; y < H; ++y) {
            RowSpan a = rowAt(rows, y - 1), b = rows[y], c = rowAt(rows, y + 1);
            int st = a.start > b.start ? a.start : b.start;
            st = st > c.start ? st : c.start;
            int en = a.end < b.end ? a.end : b.end;
            en = en < c.end ? en : c.end;
            next[y] = RowSpan{st + 1, en - 1};
        }
        rows.swap(next);
    }

    const int K = s > p ? s : p;
    const int E = s - p > 0 ? s - p : 0;
    const int kw = 2 * K + 1;
    std::vector<uint32_t> kernel((size_t)kw * kw, 0);
    for (int j = -K; j <= K; ++j)
        for (int i = -K; i <= K; ++i) {
            double r = std::sqrt((double)(i * i + j * j));
            int a = 0;
            if (r < E)
                a = d;
            else if (r <= K)
                a = (int)((1.0 - (r - E) / (p + 1)) * d);
            kernel[(size_t)(j + K) * kw + (i + K)] = a > 0 ? ShadowPixel(prm.colorRef, a) : 0;
        }
    auto stamp = [&](int cx, int cy) {
        for (int j = -K; j <= K; ++j) {
            int y = cy + j;
            if (y < 0 || y >= H) continue;
            for (int i = -K; i <= K; ++i) {
                int x = cx + i;
                if (x < 0 || x >= W) continue;
                uint32_t kv = kernel[(size_t)(j + K) * kw + (i + K)];
                uint32_t& px = bits[(size_t)y * W + x];
                if (kv > px) px = kv;
            }
        }
    };
    for (int y = K; y <= H - K - 1; ++y) {
        int a = rows[y].start, b = rows[y].end;
        if (a >= b) continue;
        RowSpan up = rowAt(rows, y - 1), down = rowAt(rows, y + 1);
        int firstEnd = (up.start > down.start ? up.start : down.start) + 1;
        if (firstEnd > b) firstEnd = b;
        for (int x = a; x < firstEnd; ++x) stamp(x, y);
        int secondStart = (up.end < down.end ? up.end : down.end) - 1;
        if (secondStart < firstEnd) secondStart = firstEnd;
        for (int x = secondStart; x < b; ++x) stamp(x, y);
    }

    const uint32_t full = ShadowPixel(prm.colorRef, d);
    int y0 = s - prm.offsetY > 0 ? s - prm.offsetY : 0;
    if (y0 > K) y0 = K;
    int y1 = h + s - prm.offsetY < H ? h + s - prm.offsetY : H;
    if (y1 < H - K) y1 = H - K;
    for (int y = y0; y < y1 && y < H; ++y) {
        if (y < 0) continue;
        int a = rows[y].start < 0 ? 0 : rows[y].start, b = rows[y].end > W ? W : rows[y].end;
        for (int x = a; x < b; ++x) bits[(size_t)y * W + x] = full;
        int py = y - s + prm.offsetY;
        if (py >= 0 && py < h && py < (int)parentRows.size() && parentRows[py].end > parentRows[py].start) {
            int c0 = parentRows[py].start + s - prm.offsetX, c1 = parentRows[py].end + s - prm.offsetX;
            if (c0 < 0) c0 = 0;
            if (c1 > W) c1 = W;
            for (int x = c0; x < c1; ++x) bits[(size_t)y * W + x] = 0;
        }
    }
    return bits;
}

}  // namespace SkinUI
