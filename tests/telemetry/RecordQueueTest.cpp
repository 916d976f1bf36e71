// The staging queue, the batch body and the staging file. In the native
// build every request fails below HTTP (there is no HTTP library), which is
// what the put-back cases need.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <fstream>

#include "telemetry/core/BatchEncoder.h"
#include "telemetry/core/LastSendOk.h"
#include "telemetry/core/RecordQueue.h"

using telemetry_core::RecordQueue;

namespace {

std::string Rec(int i) { return "{\"n\":" + std::to_string(i) + "}"; }

std::string TempFile(const char* name) {
  return std::string(testing::TempDir()) + "qv_telemetry_" + name;
}

std::string Gunzip(const std::string& data) {
  z_stream s{};
  inflateInit2(&s, 31);
  s.next_in = (Bytef*)data.data();
  s.avail_in = data.size();
  std::string out;
  char buf[4096];
  int rc;
  do {
    s.next_out = (Bytef*)buf;
    s.avail_out = sizeof buf;
    rc = inflate(&s, Z_NO_FLUSH);
    out.append(buf, sizeof buf - s.avail_out);
  } while (rc == Z_OK);
  inflateEnd(&s);
  return rc == Z_STREAM_END ? out : "<inflate failed>";
}

TEST(BatchEncoder, Base64AndPercentEncoding) {
  using telemetry_core::Base64Encode;
  EXPECT_EQ(Base64Encode(""), "");
  EXPECT_EQ(Base64Encode("f"), "Zg==");
  EXPECT_EQ(Base64Encode("fo"), "Zm8=");
  EXPECT_EQ(Base64Encode("foo"), "Zm9v");
  EXPECT_EQ(Base64Encode("\xfb\xff"), "+/8=");
  EXPECT_EQ(telemetry_core::PercentEncode("aZ09-._~+/= \x80"), "aZ09-._~%2B%2F%3D%20%80");
}

TEST(BatchEncoder, BodyIsGzipBase64PercentEncoded) {
  std::string text = "[" + Rec(1) + "," + Rec(2) + "]";
  std::string body;
  ASSERT_TRUE(telemetry_core::BuildBatchBody(text, body));
  ASSERT_EQ(body.rfind("data_list=H4sI", 0), 0u) << body;
  ASSERT_EQ(body.substr(body.size() - 7), "&gzip=1");
  std::string encoded = body.substr(10, body.size() - 17);
  // Undo the percent step and base64 by hand, then gunzip.
  std::string b64;
  for (size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] == '%') {
      b64 += static_cast<char>(std::stoi(encoded.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      b64 += encoded[i];
    }
  }
  static const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string raw;
  unsigned acc = 0;
  int bits = 0;
  for (char c : b64) {
    if (c == '=') break;
    acc = (acc << 6) | kAlphabet.find(c);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      raw += static_cast<char>((acc >> bits) & 0xFF);
    }
  }
  EXPECT_EQ(Gunzip(raw), text);
}

TEST(RecordQueue, CapacityDropsTheOldest) {
  RecordQueue q("http://127.0.0.1:1/collect?project=pc", "");
  for (int i = 0; i < 1025; ++i) q.Add(Rec(i));
  auto r = q.Snapshot();
  ASSERT_EQ(r.size(), 1024u);
  EXPECT_EQ(r.front(), Rec(1));
  EXPECT_EQ(r.back(), Rec(1024));
}

TEST(RecordQueue, FailedBatchReturnsToTheHead) {
  RecordQueue q("http://127.0.0.1:1/collect?project=pc", "");
  for (int i = 0; i < 31; ++i) q.Add(Rec(i));
  testing::internal::CaptureStderr();
  EXPECT_FALSE(q.Flush());
  EXPECT_FALSE(q.FlushAll());
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("Telemetry SDK send failed: "), std::string::npos) << err;
  EXPECT_FALSE(telemetry_core::GetLastSendOk());
  auto r = q.Snapshot();
  ASSERT_EQ(r.size(), 31u);
  for (int i = 0; i < 31; ++i) EXPECT_EQ(r[i], Rec(i));
}

TEST(RecordQueue, EmptyQueueFlushesTrue) {
  RecordQueue q("http://127.0.0.1:1/collect?project=pc", "");
  EXPECT_TRUE(q.Flush());
  EXPECT_TRUE(q.FlushAll());
}

TEST(RecordQueue, StagingFileLoadsTheLastFreeLinesAndIsEmptied) {
  std::string path = TempFile("staging");
  {
    std::ofstream out(path, std::ios::binary);
    out << "not a record\n{\"half\":1\n\n";
    for (int i = 0; i < 1100; ++i) out << Rec(i) << "\n";
    out << "}{\n";
  }
  {
    RecordQueue q("http://127.0.0.1:1/collect?project=pc", path);
    q.Add(Rec(-1));  // newer than anything staged
    q.LoadStaged();
    auto r = q.Snapshot();
    ASSERT_EQ(r.size(), 1024u);
    EXPECT_EQ(r.front(), Rec(77));  // 1023 free places: lines 77..1099
    EXPECT_EQ(r[1022], Rec(1099));
    EXPECT_EQ(r.back(), Rec(-1));
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(in.peek(), std::char_traits<char>::eof());
    q.Add(Rec(5000));
  }  // closing stages what is left
  std::ifstream in(path, std::ios::binary);
  std::string line;
  int count = 0;
  std::string first;
  while (std::getline(in, line)) {
    if (count++ == 0) first = line;
  }
  EXPECT_EQ(count, 1024);
  EXPECT_EQ(first, Rec(78));
  std::remove(path.c_str());
}

}  // namespace
