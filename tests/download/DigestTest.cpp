// The digest pieces the curl-based downloaders share: MD5, the file digest,
// the expected digest taken from the final address, and the retry budget.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "download/DigestRule.h"
#include "download/FileMd5.h"
#include "download/Md5.h"
#include "download/RetryBudget.h"

namespace {

std::string Md5Of(const std::string& text) {
  Utils::Md5 md5;
  md5.Update(text.data(), text.size());
  uint8_t digest[16];
  md5.Final(digest);
  return Utils::Md5::Hex(digest);
}

std::string TempPath(const char* name) {
  const char* base = std::getenv("QV_BUILD_DIR");
  std::string path = base ? std::string(base) : std::string(".");
#ifdef _WIN32
  path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path + "\\" + name;
#else
  return path + "/" + name;
#endif
}

}  // namespace

TEST(Md5, Rfc1321Vectors) {
  EXPECT_EQ(Md5Of(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Md5Of("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(Md5Of("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Md5Of("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(Md5Of("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, FedInPiecesEqualsWhole) {
  std::string data;
  for (int i = 0; i < 5000; ++i) data.push_back(char(i * 7 + (i >> 3)));
  Utils::Md5 md5;
  for (size_t at = 0, step = 1; at < data.size(); at += step, step = step * 3 % 257 + 1)
    md5.Update(data.data() + at, std::min(step, data.size() - at));
  uint8_t digest[16];
  md5.Final(digest);
  EXPECT_EQ(Utils::Md5::Hex(digest), Md5Of(data));
}

TEST(FileMd5, EmptyMissingAndMultiBlockFiles) {
  const std::string empty = TempPath("qv_md5_empty.bin");
  const std::string big = TempPath("qv_md5_big.bin");
  std::string data(1024 * 3 + 17, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = char(i % 251);
  FILE* f = std::fopen(empty.c_str(), "wb");
  ASSERT_TRUE(f);
  std::fclose(f);
  f = std::fopen(big.c_str(), "wb");
  ASSERT_TRUE(f);
  std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);

  EXPECT_EQ(Utils::FileMd5(empty), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Utils::FileMd5(big), Md5Of(data));
  EXPECT_EQ(Utils::FileMd5(TempPath("qv_md5_no_such_file.bin")), "");
  std::remove(empty.c_str());
  std::remove(big.c_str());
}

TEST(DigestRule, FolderOfTheFinalAddress) {
  struct Case {
    const char* url;
    const char* digest;
    bool usable;
  } cases[] = {
      {"http://h/files/7139d63192cf6261b03dc48019645b7a/p.exe", "7139d63192cf6261b03dc48019645b7a", true},
      {"http://h/files/7139D63192CF6261B03DC48019645B7A/p.exe", "7139D63192CF6261B03DC48019645B7A", true},
      {"http://h/files/ab/p.exe", "ab", false},
      {"http://h/p.exe", "h", false},
      {"p.exe", "", false},
      {"a/p.exe", "", false},
      {"", "", false},
      {"http://h/files/7139d63192cf6261b03dc48019645b7a/", "7139d63192cf6261b03dc48019645b7a", true},
  };
  for (const Case& c : cases) {
    std::string digest = DigestRule::ExpectedDigest(c.url);
    EXPECT_EQ(digest, c.digest) << c.url;
    EXPECT_EQ(DigestRule::IsUsable(digest), c.usable) << c.url;
  }
}

TEST(RetryBudget, SixAttemptsForOtherErrorsTwelveForPartialFiles) {
  // The single-connection downloader: an attempt, then retries while the
  // budget after charging the failure is above 0.
  auto attempts = [](int code) {
    RetryBudget budget;
    int n = 1;
    while (budget.Spend(code) > 0) ++n;
    return n;
  };
  EXPECT_EQ(attempts(22), 6);
  EXPECT_EQ(attempts(-998), 6);
  EXPECT_EQ(attempts(18), 12);
}
