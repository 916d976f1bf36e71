#include "ui/AttrSyntax.h"

#include <cwchar>
#include <cwctype>

namespace SkinUI {

long ParseLong(const wchar_t* text, const wchar_t** end) {
    if (!text) {
        if (end) *end = text;
        return 0;
    }
    wchar_t* stop = nullptr;
    long v = std::wcstol(text, &stop, 10);
    if (end) *end = stop;
    return v;
}

void ParseIntList(const wchar_t* text, long* out, int count) {
    for (int i = 0; i < count; ++i) out[i] = 0;
    if (!text) return;
    const wchar_t* p = text;
    for (int i = 0; i < count; ++i) {
        const wchar_t* stop = p;
        out[i] = ParseLong(p, &stop);
        if (*stop == L'\0') break;  // the separator step must not run past the end
        p = stop + 1;
    }
}

UiRect ParseRect(const wchar_t* text) {
    long v[4];
    ParseIntList(text, v, 4);
    return MakeRect((int)v[0], (int)v[1], (int)v[2], (int)v[3]);
}

UiSize ParseSize(const wchar_t* text) {
    long v[2];
    ParseIntList(text, v, 2);
    UiSize s;
    s.cx = (int)v[0];
    s.cy = (int)v[1];
    return s;
}

bool ParseBool(const wchar_t* text) { return text && std::wcscmp(text, L"true") == 0; }

bool ParseBoolNotFalse(const wchar_t* text) { return !(text && std::wcscmp(text, L"false") == 0); }

uint32_t ParseColor(const wchar_t* text) {
    if (!text) return 0;
    while (*text && (*text <= 32)) ++text;
    if (*text == L'#') ++text;
    return (uint32_t)std::wcstoul(text, nullptr, 16);
}

bool EqualsNoCase(const wchar_t* a, const wchar_t* b) {
    if (!a || !b) return a == b;
    while (*a && *b) {
        if (std::towlower(*a) != std::towlower(*b)) return false;
        ++a;
        ++b;
    }
    return *a == *b;
}

}  // namespace SkinUI
