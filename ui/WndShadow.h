// Drop shadow of a skinned window: an owned, layered, mouse-transparent
// popup that follows its parent and is drawn from the parent's shape.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ui/ShadowShape.h"

class CWndShadow {
public:
    CWndShadow();
    ~CWndShadow();
    CWndShadow(const CWndShadow&) = delete;
    CWndShadow& operator=(const CWndShadow&) = delete;

    // Registers the "SkinShadowWnd" class once per process; false (and no
    // shadows) when layered windows cannot be updated.
    static bool Initialize(HINSTANCE hInstance);
    void Create(HWND hParentWnd);

    // Each refuses a value outside its range and redraws when visible.
    bool SetSize(int size);            // -20..20
    bool SetSharpness(unsigned value); // 0..20
    bool SetDarkness(unsigned value);  // 0..255
    bool SetPosition(int x, int y);    // -20..20 each
    bool SetColor(COLORREF color);
    bool SetImage(const std::wstring& image, RECT corner, RECT holeOffset);

    HWND GetHWND() const { return m_hWnd; }
    SkinUI::ShadowParams Params() const;
    // The rows of a window's shape (its region) in window coordinates.
    static std::vector<SkinUI::RowSpan> WindowShapeRows(HWND hWnd, int width, int height);

private:
    enum Status { kEnabled = 1, kVisible = 2, kParentVisible = 4 };
    static LRESULT CALLBACK ParentProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK ShadowProc(HWND, UINT, WPARAM, LPARAM);
    void Update(HWND hParent);
    void Show(HWND hParent);

    static bool s_registered;
    static std::map<HWND, CWndShadow*>& Map();

    HWND m_hWnd = nullptr;
    HWND m_hParent = nullptr;
    WNDPROC m_OriParentProc = nullptr;
    BYTE m_nDarkness = 150;
    unsigned m_nSharpness = 5;
    int m_nSize = 0;
    int m_nxOffset = 5, m_nyOffset = 5;
    COLORREF m_Color = 0;
    BYTE m_Status = 0;
    LPARAM m_WndSize = 0;
    bool m_bUpdate = false;
    std::wstring m_sImage;
    RECT m_rcCorner = {0, 0, 0, 0}, m_rcHoleOffset = {0, 0, 0, 0};
};
