#include "ui/SkinArchive.h"

#include <cstdio>
#include <cstring>
#include <cwctype>

extern "C" {
#include "7z.h"
#include "7zAlloc.h"
#include "7zCrc.h"
}

namespace SkinUI {
namespace {

struct MemStream {
    ISeekInStream vt;
    const uint8_t* data;
    size_t size;
    size_t pos;
};

SRes MemRead(ISeekInStreamPtr p, void* buf, size_t* size) {
    MemStream* s = (MemStream*)p;
    size_t left = s->size - s->pos;
    size_t n = *size < left ? *size : left;
    if (n) std::memcpy(buf, s->data + s->pos, n);
    s->pos += n;
    *size = n;
    return SZ_OK;
}

SRes MemSeek(ISeekInStreamPtr p, Int64* pos, ESzSeek origin) {
    MemStream* s = (MemStream*)p;
    Int64 base = origin == SZ_SEEK_SET ? 0 : origin == SZ_SEEK_CUR ? (Int64)s->pos : (Int64)s->size;
    Int64 np = base + *pos;
    if (np < 0 || np > (Int64)s->size) return SZ_ERROR_READ;
    s->pos = (size_t)np;
    *pos = np;
    return SZ_OK;
}

const ISzAlloc kAlloc = {SzAlloc, SzFree};
const ISzAlloc kAllocTemp = {SzAllocTemp, SzFreeTemp};

std::unique_ptr<SkinArchive>& CurrentSlot() {
    static std::unique_ptr<SkinArchive> current;
    return current;
}

std::wstring& ResourcePathSlot() {
    static std::wstring path;
    return path;
}

bool SameNameNoCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i] && std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

}  // namespace

SkinArchive::~SkinArchive() = default;

std::unique_ptr<SkinArchive> SkinArchive::OpenMemory(const void* data, size_t length) {
    if (!data || length == 0) return nullptr;
    std::unique_ptr<SkinArchive> arc(new SkinArchive());
    arc->source_.assign((const uint8_t*)data, (const uint8_t*)data + length);

    static bool crcReady = false;
    if (!crcReady) {
        CrcGenerateTable();
        crcReady = true;
    }

    MemStream stream;
    stream.vt.Read = MemRead;
    stream.vt.Seek = MemSeek;
    stream.data = arc->source_.data();
    stream.size = arc->source_.size();
    stream.pos = 0;

    CLookToRead2 look;
    LookToRead2_CreateVTable(&look, False);
    std::vector<Byte> lookBuf(1 << 16);
    look.buf = lookBuf.data();
    look.bufSize = lookBuf.size();
    look.realStream = &stream.vt;
    LookToRead2_INIT(&look);

    CSzArEx db;
    SzArEx_Init(&db);
    if (SzArEx_Open(&db, &look.vt, &kAlloc, &kAllocTemp) != SZ_OK) {
        SzArEx_Free(&db, &kAlloc);
        return nullptr;
    }

    UInt32 blockIndex = 0xFFFFFFFF;
    Byte* outBuffer = nullptr;
    size_t outBufferSize = 0;
    std::vector<UInt16> name16;
    for (UInt32 i = 0; i < db.NumFiles; ++i) {
        if (SzArEx_IsDir(&db, i)) continue;
        size_t len = SzArEx_GetFileNameUtf16(&db, i, nullptr);
        name16.assign(len, 0);
        SzArEx_GetFileNameUtf16(&db, i, name16.data());
        size_t offset = 0, processed = 0;
        if (SzArEx_Extract(&db, &look.vt, i, &blockIndex, &outBuffer, &outBufferSize, &offset, &processed,
                           &kAlloc, &kAllocTemp) != SZ_OK)
            break;  // what was read so far stays usable
        Entry e;
        for (size_t k = 0; k + 1 < len; ++k) e.name.push_back((wchar_t)name16[k]);
        e.nameLength = e.name.size() + 1;
        e.archiveIndex = i;
        e.size = SzArEx_GetFileSize(&db, i);
        e.data.assign(outBuffer + offset, outBuffer + offset + processed);
        arc->entries_.push_back(std::move(e));
    }
    ISzAlloc_Free(&kAlloc, outBuffer);
    SzArEx_Free(&db, &kAlloc);
    return arc;
}

std::unique_ptr<SkinArchive> SkinArchive::OpenFile(const std::wstring& path) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return nullptr;
    return OpenMemory(bytes.data(), bytes.size());
}

int SkinArchive::Find(const std::wstring& name, uint64_t* size) const {
    std::wstring wanted = name;
    for (auto& c : wanted)
        if (c == L'\\') c = L'/';
    for (size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        if (e.nameLength != wanted.size() + 1) continue;
        if (SameNameNoCase(e.name, wanted)) {
            if (size) *size = e.size;
            return (int)i;
        }
    }
    return -1;
}

bool SkinArchive::Extract(int index, std::vector<uint8_t>& out) const {
    if (index < 0 || (size_t)index >= entries_.size()) return false;
    out = entries_[index].data;
    return true;
}

SkinArchive* SkinArchive::Current() { return CurrentSlot().get(); }

void SkinArchive::SetCurrent(std::unique_ptr<SkinArchive> archive) { CurrentSlot() = std::move(archive); }

const std::wstring& SkinArchive::ResourcePath() { return ResourcePathSlot(); }

void SkinArchive::SetResourcePath(const std::wstring& path) {
    std::wstring p = path;
    if (!p.empty() && p.back() != L'\\' && p.back() != L'/') p.push_back(L'\\');
    ResourcePathSlot() = p;
}

bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& out) {
    out.clear();
#ifdef _WIN32
    FILE* f = _wfopen(path.c_str(), L"rb");
#else
    std::string narrow;
    for (wchar_t c : path) {
        if (c < 0x80) {
            narrow.push_back((char)c);
        } else if (c < 0x800) {
            narrow.push_back((char)(0xC0 | (c >> 6)));
            narrow.push_back((char)(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            narrow.push_back((char)(0xE0 | (c >> 12)));
            narrow.push_back((char)(0x80 | ((c >> 6) & 0x3F)));
            narrow.push_back((char)(0x80 | (c & 0x3F)));
        } else {
            narrow.push_back((char)(0xF0 | (c >> 18)));
            narrow.push_back((char)(0x80 | ((c >> 12) & 0x3F)));
            narrow.push_back((char)(0x80 | ((c >> 6) & 0x3F)));
            narrow.push_back((char)(0x80 | (c & 0x3F)));
        }
    }
    FILE* f = std::fopen(narrow.c_str(), "rb");
#endif
    if (!f) return false;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
    std::fclose(f);
    return true;
}

}  // namespace SkinUI
