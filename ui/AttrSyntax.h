// Value syntax shared by every attribute setter of the skin markup.
#pragma once

#include <cstdint>
#include <string>

#include "ui/Geometry.h"

namespace SkinUI {

// Decimal integer as read by wcstol: leading whitespace and sign allowed,
// stops at the first non-digit, 0 for empty or non-numeric text.
long ParseLong(const wchar_t* text, const wchar_t** end = nullptr);

// Reads up to `count` integers; each further number starts one character
// after where the previous one stopped, so any single separator works.
// Missing numbers read as 0. Never reads past the end of the text.
void ParseIntList(const wchar_t* text, long* out, int count);

UiRect ParseRect(const wchar_t* text);
UiSize ParseSize(const wchar_t* text);

// True only for exactly "true".
bool ParseBool(const wchar_t* text);
// The sequence controls' rule: false only for exactly "false".
bool ParseBoolNotFalse(const wchar_t* text);

// Leading whitespace and one '#' skipped, then hexadecimal (optional 0x):
// 0xAARRGGBB. 0 means "no colour".
uint32_t ParseColor(const wchar_t* text);

// Case-insensitive comparison for element and window attribute names.
bool EqualsNoCase(const wchar_t* a, const wchar_t* b);

}  // namespace SkinUI
