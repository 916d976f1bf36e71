#include "ui/SkinResource.h"

#include <cstring>
#include <vector>

#include "ui/SkinArchive.h"

namespace SkinUI {

bool OpenSkinResource(HINSTANCE module, int resourceId) {
    HRSRC res = FindResourceExW(module, L"ZIPRES", MAKEINTRESOURCEW(resourceId),
                                MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED));
    if (!res) res = FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"ZIPRES");
    if (!res) return false;
    HGLOBAL h = LoadResource(module, res);
    DWORD size = SizeofResource(module, res);
    if (!h || size == 0) return false;
    const void* data = LockResource(h);
    if (!data) return false;
    std::vector<uint8_t> bytes((const uint8_t*)data, (const uint8_t*)data + size);
    SkinArchive* cur = SkinArchive::Current();
    if (cur && cur->Source() == bytes) return true;
    std::unique_ptr<SkinArchive> arc = SkinArchive::OpenMemory(bytes.data(), bytes.size());
    if (!arc) return false;
    SkinArchive::SetCurrent(std::move(arc));
    return true;
}

}  // namespace SkinUI
