// The markup reader: a small XML subset parsed in place into a flat
// element table. Error texts are kept for diagnostics.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace SkinUI {

class CSkinXml;

class CSkinXmlNode {
public:
    CSkinXmlNode() = default;
    bool IsValid() const { return doc_ != nullptr; }
    CSkinXmlNode Parent() const;
    CSkinXmlNode FirstChild() const;
    CSkinXmlNode NextSibling() const;
    const wchar_t* Name() const;
    const wchar_t* Value() const;
    int AttributeCount() const;
    const wchar_t* AttributeName(int i) const;
    const wchar_t* AttributeValue(int i) const;
    // nullptr when absent
    const wchar_t* Attribute(const wchar_t* name) const;

private:
    friend class CSkinXml;
    CSkinXmlNode(const CSkinXml* doc, int pos) : doc_(pos > 0 ? doc : nullptr), pos_(pos) {}
    const CSkinXml* doc_ = nullptr;
    int pos_ = 0;
};

class CSkinXml {
public:
    enum Encoding { kUtf8 = 0, kUtf16 = 1, kAnsi = 2 };
    static const size_t kMaxFileSize = 4194304;
    static const int kMaxAttributes = 64;

    // Parses markup text given directly.
    bool Load(const std::wstring& text);
    // Reads a skin file through the package (or from disk) and parses it.
    bool LoadFile(const std::wstring& name, int encoding = kUtf8);
    // Decodes file bytes in the given encoding and parses them.
    bool LoadBytes(const uint8_t* data, size_t size, int encoding);

    CSkinXmlNode Root() const;
    const std::wstring& ErrorMessage() const { return errorMessage_; }
    const std::wstring& ErrorLocation() const { return errorLocation_; }

private:
    friend class CSkinXmlNode;
    struct Element {
        size_t name = 0;   // position of the name in text_
        size_t value = 0;  // position of the element text
        int parent = 0, child = 0, next = 0;
        std::vector<std::pair<size_t, size_t>> attrs;  // name, value positions
    };

    void Release();
    bool Fail(const wchar_t* message, size_t at);
    bool ParseNodes(size_t& p, int parent);
    int NewElement();
    void SkipWhitespace(size_t& p) const;
    void SkipIdentifier(size_t& p) const;
    // Copies characters up to `end` replacing entities, writes the terminating zero.
    bool ParseData(size_t& p, size_t& out, wchar_t end);

    std::vector<wchar_t> text_;
    std::vector<Element> elements_;  // index 0 unused
    std::wstring errorMessage_, errorLocation_;
};

}  // namespace SkinUI
