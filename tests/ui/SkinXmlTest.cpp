// Markup reader: grammar, entities, error texts, encodings and size limits.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/SkinXml.h"

using SkinUI::CSkinXml;
using SkinUI::CSkinXmlNode;

TEST(SkinXml, ParsesTreeAttributesAndText) {
    CSkinXml xml;
    ASSERT_TRUE(xml.Load(L"<?xml version=\"1.0\"?>\n<!-- c -->\n<Window size=\"600,400\" caption = \"0,0,0,35\">"
                         L"<Font id=\"0\" name=\"a\"/><VerticalLayout name=\"v\">hello<Control/></VerticalLayout>"
                         L"</Window>\n"));
    CSkinXmlNode root = xml.Root();
    ASSERT_TRUE(root.IsValid());
    EXPECT_STREQ(root.Name(), L"Window");
    ASSERT_EQ(root.AttributeCount(), 2);
    EXPECT_STREQ(root.AttributeName(1), L"caption");
    EXPECT_STREQ(root.Attribute(L"size"), L"600,400");
    CSkinXmlNode font = root.FirstChild();
    EXPECT_STREQ(font.Name(), L"Font");
    EXPECT_STREQ(font.Attribute(L"name"), L"a");
    CSkinXmlNode v = font.NextSibling();
    EXPECT_STREQ(v.Name(), L"VerticalLayout");
    EXPECT_STREQ(v.Value(), L"hello");
    EXPECT_STREQ(v.FirstChild().Name(), L"Control");
    EXPECT_FALSE(v.NextSibling().IsValid());
    EXPECT_STREQ(v.FirstChild().Parent().Name(), L"VerticalLayout");
}

TEST(SkinXml, EntitiesReplacedUnknownKept) {
    CSkinXml xml;
    ASSERT_TRUE(xml.Load(L"<a t=\"x &amp; y &lt;&gt;&quot;&apos; &nbsp; &\">1 &amp; 2</a>"));
    EXPECT_STREQ(xml.Root().Attribute(L"t"), L"x & y <>\"' &nbsp; &");
    EXPECT_STREQ(xml.Root().Value(), L"1 & 2");
}

TEST(SkinXml, ErrorTexts) {
    struct Case {
        const wchar_t* text;
        const wchar_t* message;
    } cases[] = {
        {L"<a x='1'/>", L"Expected attribute value"},
        {L"<a x\"1\"/>", L"Error while parsing attributes"},
        {L"<a x=\"1/>", L"Error while parsing attribute string"},
        {L"< a/>", L"Error parsing element name"},
        {L"<a x=\"1\" ?>", L"Error while parsing attributes"},
        {L"<a><b></c></a>", L"Unmatched closing tag"},
        {L"<a><b></b</a>", L"Unmatched closing tag"},
        {L"<a x=\"1\"/ >", L"Expected start-tag closing"},
    };
    for (const Case& c : cases) {
        CSkinXml xml;
        EXPECT_FALSE(xml.Load(c.text)) << c.text;
        EXPECT_EQ(xml.ErrorMessage(), c.message) << c.text;
        EXPECT_FALSE(xml.Root().IsValid());
        EXPECT_LE(xml.ErrorLocation().size(), 49u);
    }
    CSkinXml xml;
    EXPECT_FALSE(xml.Load(L"<a><b></c></a>"));
    EXPECT_EQ(xml.ErrorLocation(), L"c></a>");
}

TEST(SkinXml, CommentEndsAtTheFirstArrow) {
    CSkinXml xml;
    EXPECT_FALSE(xml.Load(L"<!-- a -> b --><a/>"));
    EXPECT_EQ(xml.ErrorMessage(), L"Expected start tag");
}

TEST(SkinXml, TextMayEndTheDocument) {
    CSkinXml xml;
    EXPECT_TRUE(xml.Load(L"<Window>abc"));
    EXPECT_STREQ(xml.Root().Value(), L"abc");
}

TEST(SkinXml, AtMost64AttributesVisible) {
    std::wstring text = L"<a";
    for (int i = 0; i < 70; ++i) text += L" k" + std::to_wstring(i) + L"=\"" + std::to_wstring(i) + L"\"";
    text += L"/>";
    CSkinXml xml;
    ASSERT_TRUE(xml.Load(text));
    EXPECT_EQ(xml.Root().AttributeCount(), 64);
    EXPECT_STREQ(xml.Root().Attribute(L"k63"), L"63");
    EXPECT_EQ(xml.Root().Attribute(L"k64"), nullptr);
}

TEST(SkinXml, Utf8WithAndWithoutMarkParseTheSame) {
    std::string body = "<Label text=\"\xE7\xAB\x8B\xE5\x8D\xB3\"/>";  // 立即
    std::string bom = "\xEF\xBB\xBF" + body;
    CSkinXml a, b;
    ASSERT_TRUE(a.LoadBytes((const uint8_t*)body.data(), body.size(), CSkinXml::kUtf8));
    ASSERT_TRUE(b.LoadBytes((const uint8_t*)bom.data(), bom.size(), CSkinXml::kUtf8));
    EXPECT_STREQ(a.Root().Attribute(L"text"), L"\x7ACB\x5373");
    EXPECT_STREQ(b.Root().Attribute(L"text"), L"\x7ACB\x5373");
    EXPECT_STREQ(a.Root().Name(), L"Label");
}

TEST(SkinXml, Utf16NeedsAMarkAndSwapsBigEndian) {
    const uint8_t le[] = {0xFF, 0xFE, '<', 0, 'a', 0, '/', 0, '>', 0};
    const uint8_t be[] = {0xFE, 0xFF, 0, '<', 0, 'b', 0, '/', 0, '>'};
    const uint8_t none[] = {'<', 0, 'a', 0, '/', 0, '>', 0};
    CSkinXml x;
    ASSERT_TRUE(x.LoadBytes(le, sizeof le, CSkinXml::kUtf16));
    EXPECT_STREQ(x.Root().Name(), L"a");
    ASSERT_TRUE(x.LoadBytes(be, sizeof be, CSkinXml::kUtf16));
    EXPECT_STREQ(x.Root().Name(), L"b");
    EXPECT_FALSE(x.LoadBytes(none, sizeof none, CSkinXml::kUtf16));
}

TEST(SkinXml, SizeLimits) {
    CSkinXml xml;
    EXPECT_FALSE(xml.LoadBytes((const uint8_t*)"", 0, CSkinXml::kUtf8));
    EXPECT_EQ(xml.ErrorMessage(), L"File is empty");
    std::string big = "<a>";
    big.resize(CSkinXml::kMaxFileSize - 4, 'x');
    big += "</a>";
    ASSERT_EQ(big.size(), 4194304u);
    EXPECT_TRUE(xml.LoadBytes((const uint8_t*)big.data(), big.size(), CSkinXml::kUtf8));
    big.push_back(' ');
    EXPECT_FALSE(xml.LoadBytes((const uint8_t*)big.data(), big.size(), CSkinXml::kUtf8));
    EXPECT_EQ(xml.ErrorMessage(), L"File too large");
}
