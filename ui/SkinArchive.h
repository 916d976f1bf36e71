// The skin package: a 7z archive held in memory, every file decoded once
// when it is opened. Lookups ignore letter case and treat '\' as '/'.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace SkinUI {

class SkinArchive {
public:
    struct Entry {
        std::wstring name;        // as stored, '/' separators
        size_t nameLength = 0;    // characters including the terminating zero
        uint32_t archiveIndex = 0;
        uint64_t size = 0;
        std::vector<uint8_t> data;
    };

    ~SkinArchive();
    SkinArchive(const SkinArchive&) = delete;
    SkinArchive& operator=(const SkinArchive&) = delete;

    // Opens the archive from bytes (copied) or a file; nullptr if the
    // header cannot be read. Entries are extracted up to the first failure.
    static std::unique_ptr<SkinArchive> OpenMemory(const void* data, size_t length);
    static std::unique_ptr<SkinArchive> OpenFile(const std::wstring& path);

    // Finds a file entry: returns its position in Entries() (>= 0) and its size, or -1.
    int Find(const std::wstring& name, uint64_t* size = nullptr) const;
    // Copies the entry's bytes into `out`; false for a bad index.
    bool Extract(int index, std::vector<uint8_t>& out) const;

    const std::vector<Entry>& Entries() const { return entries_; }
    // The bytes the archive was opened from (to recognise the same package again).
    const std::vector<uint8_t>& Source() const { return source_; }

    // The process-wide package (none until a window or a test sets one).
    static SkinArchive* Current();
    static void SetCurrent(std::unique_ptr<SkinArchive> archive);

    // Folder that plain skin files are read from when no package is set;
    // always ends in a separator (or is empty).
    static const std::wstring& ResourcePath();
    static void SetResourcePath(const std::wstring& path);

private:
    SkinArchive() = default;
    std::vector<uint8_t> source_;
    std::vector<Entry> entries_;
};

// Reads a whole file from disk (wide path); false if it cannot be opened.
bool ReadWholeFile(const std::wstring& path, std::vector<uint8_t>& out);

}  // namespace SkinUI
