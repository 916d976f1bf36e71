#include "PngWriter.h"

#include <cstdio>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include "stb_image_write.h"

namespace {
void WriteToFile(void* context, void* data, int size) { std::fwrite(data, 1, (size_t)size, (FILE*)context); }
}  // namespace

bool WritePng(const std::wstring& path, const uint8_t* rgba, int width, int height) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f) return false;
    int ok = stbi_write_png_to_func(WriteToFile, f, width, height, 4, rgba, width * 4);
    bool closed = std::fclose(f) == 0;
    return ok != 0 && closed;
}
