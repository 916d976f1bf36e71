// The packed skin archive read back with the same 7z decoder the toolkit uses:
// every entry opens, extracts, and matches the file it was packed from.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

extern "C" {
#include "7z.h"
#include "7zAlloc.h"
#include "7zCrc.h"
}

namespace {

std::string HostPath(const char* env, const std::string& rel) {
  const char* base = std::getenv(env);
  std::string p = std::string(base ? base : ".") + "/" + rel;
#ifdef _WIN32
  if (!p.empty() && p[0] == '/') p = "Z:" + p;   // Wine maps the Unix root as Z:
#endif
  return p;
}

std::vector<unsigned char> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

struct MemStream {
  ISeekInStream vt;
  const unsigned char* data;
  size_t size;
  size_t pos;
};

SRes MemRead(ISeekInStreamPtr pp, void* buf, size_t* size) {
  auto* p = Z7_CONTAINER_FROM_VTBL(pp, MemStream, vt);
  size_t n = std::min(*size, p->size - p->pos);
  std::memcpy(buf, p->data + p->pos, n);
  p->pos += n;
  *size = n;
  return SZ_OK;
}

SRes MemSeek(ISeekInStreamPtr pp, Int64* pos, ESzSeek origin) {
  auto* p = Z7_CONTAINER_FROM_VTBL(pp, MemStream, vt);
  Int64 base = origin == SZ_SEEK_SET ? 0 : origin == SZ_SEEK_CUR ? (Int64)p->pos : (Int64)p->size;
  Int64 to = base + *pos;
  if (to < 0 || to > (Int64)p->size) return SZ_ERROR_READ;
  p->pos = (size_t)to;
  *pos = to;
  return SZ_OK;
}

std::string Utf16ToAscii(const std::vector<UInt16>& w) {
  std::string s;
  for (UInt16 c : w) {
    if (c == 0) break;
    s += c < 0x80 ? (char)c : '?';
  }
  return s;
}

}  // namespace

TEST(SkinArchiveDecode, EveryEntryExtractsToItsSource) {
  std::vector<unsigned char> bytes = ReadFile(HostPath("QV_BUILD_DIR", "skin/skin.7z"));
  ASSERT_GT(bytes.size(), 32u) << "skin archive not built";

  const ISzAlloc alloc = {SzAlloc, SzFree};
  const ISzAlloc allocTemp = {SzAllocTemp, SzFreeTemp};
  MemStream mem{{MemRead, MemSeek}, bytes.data(), bytes.size(), 0};
  CLookToRead2 look;
  LookToRead2_CreateVTable(&look, False);
  std::vector<Byte> lookBuf(1 << 16);
  look.buf = lookBuf.data();
  look.bufSize = lookBuf.size();
  look.realStream = &mem.vt;
  LookToRead2_INIT(&look);
  CrcGenerateTable();

  CSzArEx db;
  SzArEx_Init(&db);
  ASSERT_EQ(SzArEx_Open(&db, &look.vt, &alloc, &allocTemp), SZ_OK);

  UInt32 blockIndex = 0xFFFFFFFF;
  Byte* out = nullptr;
  size_t outSize = 0;
  std::set<std::string> files, dirs;
  for (UInt32 i = 0; i < db.NumFiles; ++i) {
    std::vector<UInt16> name(SzArEx_GetFileNameUtf16(&db, i, nullptr));
    SzArEx_GetFileNameUtf16(&db, i, name.data());
    std::string n = Utf16ToAscii(name);
    EXPECT_EQ(n.find('\\'), std::string::npos) << n;
    if (SzArEx_IsDir(&db, i)) {
      dirs.insert(n);
      continue;
    }
    files.insert(n);
    size_t offset = 0, processed = 0;
    ASSERT_EQ(SzArEx_Extract(&db, &look.vt, i, &blockIndex, &out, &outSize, &offset, &processed,
                             &alloc, &allocTemp), SZ_OK) << n;
    std::vector<unsigned char> source = ReadFile(HostPath("QV_SOURCE_DIR", "skin/" + n));
    EXPECT_TRUE(processed == source.size() && std::memcmp(out + offset, source.data(), processed) == 0)
        << n << " differs from its source";
  }
  EXPECT_EQ(db.db.NumFolders, 1u) << "expected one solid block";
  ISzAlloc_Free(&alloc, out);
  SzArEx_Free(&db, &alloc);

  EXPECT_EQ(files.size(), 67u);
  EXPECT_EQ(dirs, (std::set<std::string>{"res", "res/common", "res/mainWnd",
                                         "res/mainWnd/installBtnAnimate", "res/MessageBoxWnd"}));
  EXPECT_EQ(files.count("mainWnd.xml"), 1u);
  EXPECT_EQ(files.count("exitTipWnd.xml"), 1u);
  EXPECT_EQ(files.count("res/mainWnd/installBtnAnimate/025.png"), 1u);
}
