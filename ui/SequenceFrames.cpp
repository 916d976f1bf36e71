#include "ui/SequenceFrames.h"

#include <cwchar>

namespace SkinUI {

bool SequenceFrames::Tick(int* frame, bool* stop) {
    *stop = false;
    if (forward && index > count - 1) {
        if (round) {
            forward = false;
            index = count - 2;
        } else {
            index = 0;
            if (!loop) {
                *stop = true;
                return false;
            }
        }
    }
    if (!forward && index == 0) {
        if (round) forward = true;
        index = 0;
        if (!loop) {
            *stop = true;
            return false;
        }
    }
    *frame = index;
    index += forward ? 1 : -1;
    return true;
}

std::wstring FormatFrameName(const std::wstring& pattern, int frame) {
    std::wstring out;
    bool used = false;
    size_t i = 0;
    while (i < pattern.size()) {
        wchar_t c = pattern[i];
        if (c != L'%') {
            out.push_back(c);
            ++i;
            continue;
        }
        if (i + 1 < pattern.size() && pattern[i + 1] == L'%') {
            out.push_back(L'%');
            i += 2;
            continue;
        }
        // %[flags][width][.precision]conv
        size_t j = i + 1;
        while (j < pattern.size() && std::wcschr(L"-+ 0#", pattern[j])) ++j;
        size_t digits = 0;
        while (j < pattern.size() && pattern[j] >= L'0' && pattern[j] <= L'9' && digits < 3) { ++j; ++digits; }
        if (j < pattern.size() && pattern[j] == L'.') {
            ++j;
            digits = 0;
            while (j < pattern.size() && pattern[j] >= L'0' && pattern[j] <= L'9' && digits < 3) { ++j; ++digits; }
        }
        if (!used && j < pattern.size() && std::wcschr(L"diuxXo", pattern[j])) {
            std::wstring spec = pattern.substr(i, j - i + 1);
            wchar_t buf[512];
            int n = std::swprintf(buf, 512, spec.c_str(), frame);
            if (n > 0) out.append(buf, (size_t)n);
            used = true;
            i = j + 1;
            continue;
        }
        out.push_back(c);  // not a conversion we fill: kept literally
        ++i;
    }
    if (out.size() > 259) out.resize(259);
    return out;
}

}  // namespace SkinUI
