// The report triple every downloader and runner hands to its owner:
// (code, value, text). The text may be empty, never absent.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

using ReportCallback = std::function<void(int32_t code, double value, const std::wstring& text)>;
