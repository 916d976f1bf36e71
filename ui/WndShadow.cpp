#include "ui/WndShadow.h"

#include <cstring>

#include "ui/DrawKit.h"
#include "ui/ImageDecode.h"
#include "ui/ImageDescriptor.h"
#include "ui/SkinArchive.h"

bool CWndShadow::s_registered = false;

std::map<HWND, CWndShadow*>& CWndShadow::Map() {
    static std::map<HWND, CWndShadow*> m;
    return m;
}

CWndShadow::CWndShadow() = default;

CWndShadow::~CWndShadow() {
    if (m_hParent) {
        auto it = Map().find(m_hParent);
        if (it != Map().end() && it->second == this) {
            if (IsWindow(m_hParent) && m_OriParentProc)
                SetWindowLongPtrW(m_hParent, GWLP_WNDPROC, (LONG_PTR)m_OriParentProc);
            Map().erase(it);
        }
    }
    if (m_hWnd && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
}

bool CWndShadow::Initialize(HINSTANCE hInstance) {
    if (s_registered) return true;
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (!user32 || !GetProcAddress(user32, "UpdateLayeredWindow")) return false;
    WNDCLASSEXW wc = {sizeof wc};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &CWndShadow::ShadowProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = L"SkinShadowWnd";
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    s_registered = true;
    return true;
}

LRESULT CALLBACK CWndShadow::ShadowProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return DefWindowProcW(h, msg, wp, lp);
}

void CWndShadow::Create(HWND hParent) {
    if (!s_registered || !hParent || m_hWnd) return;
    Map()[hParent] = this;
    m_hParent = hParent;
    m_hWnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW,
                             L"SkinShadowWnd", nullptr, WS_POPUPWINDOW, CW_USEDEFAULT, 0, 0, 0, hParent, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    if (!m_hWnd) {
        Map().erase(hParent);
        m_hParent = nullptr;
        return;
    }
    LONG style = GetWindowLongW(hParent, GWL_STYLE);
    if (!(style & WS_VISIBLE)) {
        m_Status = kEnabled;
    } else if (style & (WS_MAXIMIZE | WS_MINIMIZE)) {
        m_Status = kEnabled | kParentVisible;
    } else {
        m_Status = kEnabled | kVisible | kParentVisible;
        ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        Update(hParent);
    }
    m_OriParentProc = (WNDPROC)GetWindowLongPtrW(hParent, GWLP_WNDPROC);
    SetWindowLongPtrW(hParent, GWLP_WNDPROC, (LONG_PTR)&CWndShadow::ParentProc);
}

LRESULT CALLBACK CWndShadow::ParentProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto it = Map().find(h);
    if (it == Map().end()) return DefWindowProcW(h, msg, wp, lp);
    CWndShadow* self = it->second;
    WNDPROC prev = self->m_OriParentProc;
    switch (msg) {
    case WM_MOVE:
        if (self->m_Status & kVisible) {
            RECT wr;
            GetWindowRect(h, &wr);
            int dx = self->m_sImage.empty() ? self->m_nxOffset - self->m_nSize : -self->m_rcCorner.left;
            int dy = self->m_sImage.empty() ? self->m_nyOffset - self->m_nSize : -self->m_rcCorner.top;
            SetWindowPos(self->m_hWnd, nullptr, wr.left + dx, wr.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOZORDER);
        }
        break;
    case WM_SIZE:
        if (self->m_Status & kEnabled) {
            if (wp == SIZE_MAXIMIZED || wp == SIZE_MINIMIZED) {
                ShowWindow(self->m_hWnd, SW_HIDE);
                self->m_Status &= ~kVisible;
            } else if (self->m_Status & kParentVisible) {
                if (LOWORD(lp) > LOWORD(self->m_WndSize) || HIWORD(lp) > HIWORD(self->m_WndSize))
                    self->m_bUpdate = true;
                else
                    self->Update(h);
                self->m_Status |= kVisible;
                ShowWindow(self->m_hWnd, SW_SHOWNOACTIVATE);
            }
            self->m_WndSize = lp;
        }
        break;
    case WM_PAINT:
        if (self->m_bUpdate) {
            self->Update(h);
            self->m_bUpdate = false;
        }
        break;
    case WM_EXITSIZEMOVE:
    case WM_ACTIVATE:
        if (self->m_Status & kVisible) self->Update(h);
        break;
    case WM_SHOWWINDOW:
        if (self->m_Status & kEnabled) {
            if (!wp) {
                ShowWindow(self->m_hWnd, SW_HIDE);
                self->m_Status &= ~(kVisible | kParentVisible);
            } else {
                // The parent's style is not visible yet while it is being shown.
                self->m_bUpdate = true;
                self->m_Status |= kVisible | kParentVisible;
                ShowWindow(self->m_hWnd, SW_SHOWNOACTIVATE);
            }
        }
        break;
    case WM_DESTROY:
        if (self->m_hWnd) {
            DestroyWindow(self->m_hWnd);
            self->m_hWnd = nullptr;
        }
        break;
    case WM_NCDESTROY: {
        Map().erase(h);
        self->m_hParent = nullptr;
        SetWindowLongPtrW(h, GWLP_WNDPROC, (LONG_PTR)prev);
        return CallWindowProcW(prev, h, msg, wp, lp);
    }
    default:
        break;
    }
    return CallWindowProcW(prev, h, msg, wp, lp);
}

void CWndShadow::Show(HWND hParent) {
    m_Status &= kEnabled;
    if (!(m_Status & kEnabled)) return;
    LONG style = GetWindowLongW(hParent, GWL_STYLE);
    if (style & WS_VISIBLE) {
        m_Status |= kParentVisible;
        if (!(style & (WS_MAXIMIZE | WS_MINIMIZE))) m_Status |= kVisible;
    }
    if (m_Status & kVisible) {
        ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
        Update(hParent);
    } else {
        ShowWindow(m_hWnd, SW_HIDE);
    }
}

std::vector<SkinUI::RowSpan> CWndShadow::WindowShapeRows(HWND hWnd, int w, int h) {
    std::vector<SkinUI::RowSpan> rows(h > 0 ? h : 0, SkinUI::RowSpan{w, 0});
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(hWnd, rgn) == ERROR) {
        DeleteObject(rgn);
        return rows;  // no shape: every row is empty
    }
    DWORD size = GetRegionData(rgn, 0, nullptr);
    std::vector<BYTE> buf(size);
    RGNDATA* data = (RGNDATA*)buf.data();
    if (size && GetRegionData(rgn, size, data)) {
        const RECT* r = (const RECT*)data->Buffer;
        for (DWORD i = 0; i < data->rdh.nCount; ++i) {
            for (int y = r[i].top; y < r[i].bottom; ++y) {
                if (y < 0 || y >= h) continue;
                int l = r[i].left < 0 ? 0 : r[i].left, rt = r[i].right > w ? w : r[i].right;
                if (rt <= l) continue;
                if (l < rows[y].start) rows[y].start = l;
                if (rt > rows[y].end) rows[y].end = rt;
            }
        }
    }
    DeleteObject(rgn);
    for (auto& r : rows)
        if (r.end <= r.start) r = SkinUI::RowSpan{0, 0};
    return rows;
}

SkinUI::ShadowParams CWndShadow::Params() const {
    SkinUI::ShadowParams p;
    p.size = m_nSize;
    p.sharpness = (int)m_nSharpness;
    p.darkness = m_nDarkness;
    p.offsetX = m_nxOffset;
    p.offsetY = m_nyOffset;
    p.colorRef = m_Color;
    return p;
}

void CWndShadow::Update(HWND hParent) {
    if (!m_hWnd) return;
    RECT wr;
    GetWindowRect(hParent, &wr);
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    int bw, bh, x, y;
    std::vector<uint32_t> bits;
    if (m_sImage.empty()) {
        bw = w + 2 * m_nSize;
        bh = h + 2 * m_nSize;
        if (bw <= 0 || bh <= 0) return;
        bits = SkinUI::ComputeShadow(WindowShapeRows(hParent, w, h), w, h, Params());
        x = wr.left + m_nxOffset - m_nSize;
        y = wr.top + m_nyOffset - m_nSize;
    } else {
        bw = w + m_rcCorner.left + m_rcCorner.right;
        bh = h + m_rcCorner.top + m_rcCorner.bottom;
        x = wr.left - m_rcCorner.left;
        y = wr.top - m_rcCorner.top;
        bits.assign((size_t)bw * bh, 0);
        auto img = SkinUI::CDrawKit::LoadImage(m_sImage, L"", 0);
        if (img) {
            BITMAPINFO bmi = {};
            bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
            bmi.bmiHeader.biWidth = bw;
            bmi.bmiHeader.biHeight = -bh;
            bmi.bmiHeader.biPlanes = 1;
            bmi.bmiHeader.biBitCount = 32;
            void* pv = nullptr;
            HBITMAP hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pv, nullptr, 0);
            HDC mem = CreateCompatibleDC(nullptr);
            HGDIOBJ old = SelectObject(mem, hbm);
            std::memset(pv, 0, (size_t)bw * bh * 4);
            RECT dst = {0, 0, bw, bh}, src = {0, 0, img->width, img->height};
            RECT corner = {m_rcCorner.left + m_rcHoleOffset.left, m_rcCorner.top + m_rcHoleOffset.top,
                           m_rcCorner.right + m_rcHoleOffset.right, m_rcCorner.bottom + m_rcHoleOffset.bottom};
            SkinUI::CDrawKit::DrawImagePieces(mem, img.get(), dst, src, corner, 255, true, false, false, dst);
            GdiFlush();
            std::memcpy(bits.data(), pv, bits.size() * 4);
            SelectObject(mem, old);
            DeleteDC(mem);
            DeleteObject(hbm);
        }
    }
    if (bits.empty()) return;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = bw;
    bmi.bmiHeader.biHeight = -bh;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pv = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP hbm = CreateDIBSection(screen, &bmi, DIB_RGB_COLORS, &pv, nullptr, 0);
    if (!hbm) {
        ReleaseDC(nullptr, screen);
        return;
    }
    std::memcpy(pv, bits.data(), bits.size() * 4);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, hbm);
    POINT ptDst = {x, y}, ptSrc = {0, 0};
    SIZE sz = {bw, bh};
    BLENDFUNCTION bf = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    MoveWindow(m_hWnd, x, y, bw, bh, FALSE);
    UpdateLayeredWindow(m_hWnd, screen, &ptDst, &sz, mem, &ptSrc, 0, &bf, ULW_ALPHA);
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(hbm);
    ReleaseDC(nullptr, screen);
}

bool CWndShadow::SetSize(int size) {
    if (size > 20 || size < -20) return false;
    m_nSize = size;
    if (m_Status & kVisible) Update(m_hParent);
    return true;
}

bool CWndShadow::SetSharpness(unsigned value) {
    if (value > 20) return false;
    m_nSharpness = value;
    if (m_Status & kVisible) Update(m_hParent);
    return true;
}

bool CWndShadow::SetDarkness(unsigned value) {
    if (value > 255) return false;
    m_nDarkness = (BYTE)value;
    if (m_Status & kVisible) Update(m_hParent);
    return true;
}

bool CWndShadow::SetPosition(int x, int y) {
    if (x > 20 || x < -20 || y > 20 || y < -20) return false;
    m_nxOffset = x;
    m_nyOffset = y;
    if (m_Status & kVisible) Update(m_hParent);
    return true;
}

bool CWndShadow::SetColor(COLORREF color) {
    m_Color = color;
    if (m_Status & kVisible) Update(m_hParent);
    return true;
}

bool CWndShadow::SetImage(const std::wstring& image, RECT corner, RECT holeOffset) {
    m_sImage = image;
    m_rcCorner = corner;
    m_rcHoleOffset = holeOffset;
    if (m_Status & kVisible) Update(m_hParent);
    return true;
}
