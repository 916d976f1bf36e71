#include "ui/FontInfo.h"

namespace SkinUI {

FontInfo::~FontInfo() {
    if (owned && hFont) DeleteObject(hFont);
}

bool FontInfo::Create(HDC hdc) {
    LOGFONTW lf = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = -size;
    if (bold) lf.lfWeight += FW_BOLD;
    if (underline) lf.lfUnderline = TRUE;
    if (italic) lf.lfItalic = TRUE;
    HFONT f = CreateFontIndirectW(&lf);
    if (!f) return false;
    if (owned && hFont) DeleteObject(hFont);
    hFont = f;
    owned = true;
    HGDIOBJ old = SelectObject(hdc, hFont);
    GetTextMetricsW(hdc, &tm);
    SelectObject(hdc, old);
    return true;
}

void FontInfo::UseStockFont(HDC hdc) {
    if (owned && hFont) DeleteObject(hFont);
    hFont = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    owned = false;
    LOGFONTW lf = {};
    GetObjectW(hFont, sizeof lf, &lf);
    face = lf.lfFaceName;
    size = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    HGDIOBJ old = SelectObject(hdc, hFont);
    GetTextMetricsW(hdc, &tm);
    SelectObject(hdc, old);
}

}  // namespace SkinUI
