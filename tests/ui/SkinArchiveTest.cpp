// The skin package: opening the real archive, case- and slash-insensitive lookup, skin files through the package.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ui/SkinArchive.h"
#include "ui/SkinXml.h"

using namespace SkinUI;

namespace {
std::wstring ArchivePath() {
    const char* b = std::getenv("QV_BUILD_DIR");
    std::string p = std::string(b ? b : ".") + "/skin/skin.7z";
#ifdef _WIN32
    std::wstring w = L"Z:";
    for (char c : p) w.push_back(c == '/' ? L'\\' : (wchar_t)c);
    return w;
#else
    return std::wstring(p.begin(), p.end());
#endif
}
}  // namespace

class SkinArchiveTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { archive = SkinArchive::OpenFile(ArchivePath()).release(); }
    static void TearDownTestSuite() {
        delete archive;
        archive = nullptr;
    }
    static SkinArchive* archive;
};
SkinArchive* SkinArchiveTest::archive = nullptr;

TEST_F(SkinArchiveTest, OpensAndSkipsDirectories) {
    ASSERT_NE(archive, nullptr);
    EXPECT_EQ(archive->Entries().size(), 67u);
    for (const auto& e : archive->Entries()) {
        EXPECT_EQ(e.size, e.data.size()) << std::string(e.name.begin(), e.name.end());
        EXPECT_EQ(e.nameLength, e.name.size() + 1);
    }
}

TEST_F(SkinArchiveTest, LookupIgnoresCaseAndSlashes) {
    ASSERT_NE(archive, nullptr);
    uint64_t size = 0;
    int a = archive->Find(L"MainWnd.xml", &size);
    ASSERT_GE(a, 0);
    EXPECT_GT(size, 0u);
    EXPECT_EQ(archive->Find(L"MAINWND.XML"), a);
    EXPECT_EQ(archive->Find(L"mainwnd.xml"), a);
    int pic = archive->Find(L"res\\mainWnd\\bg1.png");
    ASSERT_GE(pic, 0);
    EXPECT_EQ(archive->Find(L"res/mainwnd/BG1.png"), pic);
    EXPECT_LT(archive->Find(L"res\\mainWnd\\bg1.pn"), 0);  // one character shorter
    EXPECT_LT(archive->Find(L"res/common/closebtnM_4.png"), 0);
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(archive->Extract(pic, bytes));
    EXPECT_EQ(bytes.size(), archive->Entries()[pic].size);
    EXPECT_FALSE(archive->Extract(-1, bytes));
}

TEST_F(SkinArchiveTest, SkinFilesLoadThroughThePackage) {
    ASSERT_NE(archive, nullptr);
    SkinArchive::SetCurrent(SkinArchive::OpenFile(ArchivePath()));
    for (const wchar_t* name : {L"MainWnd.xml", L"MessageBox1Wnd.xml", L"MessageBox2Wnd.xml", L"ExitTipWnd.xml",
                                L"NetworkTipWnd.xml", L"InstalledPathTipWnd.xml"}) {
        CSkinXml xml;
        EXPECT_TRUE(xml.LoadFile(name)) << std::string(xml.ErrorMessage().begin(), xml.ErrorMessage().end());
        EXPECT_STREQ(xml.Root().Name(), L"Window");
    }
    CSkinXml missing;
    EXPECT_FALSE(missing.LoadFile(L"NoSuchWnd.xml"));
    EXPECT_EQ(missing.ErrorMessage(), L"Could not find ziped file");
    SkinArchive::SetCurrent(nullptr);
}

TEST(SkinArchive, GarbageIsNoArchive) {
    const uint8_t junk[] = {'7', 'z', 0xBC, 0xAF, 0x27, 0x1C, 0, 3, 1, 2, 3};
    EXPECT_EQ(SkinArchive::OpenMemory(junk, sizeof junk), nullptr);
    EXPECT_EQ(SkinArchive::OpenMemory(nullptr, 0), nullptr);
}
