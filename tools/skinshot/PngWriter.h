// Writes 8-bit RGBA pixels as a PNG file.
#pragma once

#include <cstdint>
#include <string>

bool WritePng(const std::wstring& path, const uint8_t* rgba, int width, int height);
