#include "ui/SkinXml.h"

#include <cstring>
#include <cwchar>

#include "ui/AttrSyntax.h"
#include "ui/SkinArchive.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace SkinUI {

// ---- nodes -----------------------------------------------------------------

CSkinXmlNode CSkinXmlNode::Parent() const {
    return doc_ ? CSkinXmlNode(doc_, doc_->elements_[pos_].parent) : CSkinXmlNode();
}
CSkinXmlNode CSkinXmlNode::FirstChild() const {
    return doc_ ? CSkinXmlNode(doc_, doc_->elements_[pos_].child) : CSkinXmlNode();
}
CSkinXmlNode CSkinXmlNode::NextSibling() const {
    return doc_ ? CSkinXmlNode(doc_, doc_->elements_[pos_].next) : CSkinXmlNode();
}
const wchar_t* CSkinXmlNode::Name() const {
    return doc_ ? &doc_->text_[doc_->elements_[pos_].name] : nullptr;
}
const wchar_t* CSkinXmlNode::Value() const {
    return doc_ ? &doc_->text_[doc_->elements_[pos_].value] : nullptr;
}
int CSkinXmlNode::AttributeCount() const {
    if (!doc_) return 0;
    int n = (int)doc_->elements_[pos_].attrs.size();
    return n > CSkinXml::kMaxAttributes ? CSkinXml::kMaxAttributes : n;
}
const wchar_t* CSkinXmlNode::AttributeName(int i) const {
    if (i < 0 || i >= AttributeCount()) return nullptr;
    return &doc_->text_[doc_->elements_[pos_].attrs[i].first];
}
const wchar_t* CSkinXmlNode::AttributeValue(int i) const {
    if (i < 0 || i >= AttributeCount()) return nullptr;
    return &doc_->text_[doc_->elements_[pos_].attrs[i].second];
}
const wchar_t* CSkinXmlNode::Attribute(const wchar_t* name) const {
    int n = AttributeCount();
    for (int i = 0; i < n; ++i)
        if (std::wcscmp(AttributeName(i), name) == 0) return AttributeValue(i);
    return nullptr;
}

// ---- document --------------------------------------------------------------

CSkinXmlNode CSkinXml::Root() const {
    return elements_.size() > 1 ? CSkinXmlNode(this, 1) : CSkinXmlNode();
}

void CSkinXml::Release() {
    text_.clear();
    elements_.clear();
}

bool CSkinXml::Fail(const wchar_t* message, size_t at) {
    errorMessage_.assign(message, std::wcslen(message) > 99 ? 99 : std::wcslen(message));
    errorLocation_.clear();
    if (at < text_.size()) {
        for (size_t i = at; i < text_.size() && text_[i] && errorLocation_.size() < 49; ++i)
            errorLocation_.push_back(text_[i]);
    }
    return false;
}

bool CSkinXml::Load(const std::wstring& text) {
    Release();
    errorMessage_.clear();
    errorLocation_.clear();
    text_.assign(text.begin(), text.end());
    text_.push_back(0);
    elements_.reserve(500);
    elements_.resize(1);
    size_t p = 0;
    if (!ParseNodes(p, 0)) {
        std::wstring msg = errorMessage_, loc = errorLocation_;
        Release();
        errorMessage_ = msg;
        errorLocation_ = loc;
        return false;
    }
    return true;
}

namespace {

std::wstring Utf8ToWide(const uint8_t* s, size_t n) {
    std::wstring out;
    out.reserve(n);
    size_t i = 0;
    while (i < n) {
        uint32_t c = s[i];
        int extra = 0;
        if (c < 0x80) extra = 0;
        else if ((c & 0xE0) == 0xC0) { c &= 0x1F; extra = 1; }
        else if ((c & 0xF0) == 0xE0) { c &= 0x0F; extra = 2; }
        else if ((c & 0xF8) == 0xF0) { c &= 0x07; extra = 3; }
        else { out.push_back(0xFFFD); ++i; continue; }
        bool ok = i + extra < n;
        for (int k = 1; ok && k <= extra; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) ok = false;
            else c = (c << 6) | (s[i + k] & 0x3F);
        }
        if (!ok) { out.push_back(0xFFFD); ++i; continue; }
        i += extra + 1;
        if (sizeof(wchar_t) == 2 && c >= 0x10000) {
            c -= 0x10000;
            out.push_back((wchar_t)(0xD800 + (c >> 10)));
            out.push_back((wchar_t)(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back((wchar_t)c);
        }
    }
    return out;
}

}  // namespace

bool CSkinXml::LoadBytes(const uint8_t* data, size_t size, int encoding) {
    if (size == 0) return Fail(L"File is empty", (size_t)-1);
    if (size > kMaxFileSize) return Fail(L"File too large", (size_t)-1);
    std::wstring text;
    if (encoding == kUtf8) {
        if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
            data += 3;
            size -= 3;
        }
        text = Utf8ToWide(data, size);
    } else if (encoding == kUtf16) {
        if (size < 2 || !((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF)))
            return Fail(L"File is not unicode", (size_t)-1);
        bool swap = data[0] == 0xFE;
        for (size_t i = 2; i + 1 < size; i += 2)
            text.push_back(swap ? (wchar_t)((data[i] << 8) | data[i + 1]) : (wchar_t)(data[i] | (data[i + 1] << 8)));
    } else {
#ifdef _WIN32
        int n = MultiByteToWideChar(CP_ACP, 0, (const char*)data, (int)size, nullptr, 0);
        text.resize(n);
        if (n) MultiByteToWideChar(CP_ACP, 0, (const char*)data, (int)size, &text[0], n);
#else
        for (size_t i = 0; i < size; ++i) text.push_back((wchar_t)data[i]);
#endif
    }
    return Load(text);
}

bool CSkinXml::LoadFile(const std::wstring& name, int encoding) {
    Release();
    errorMessage_.clear();
    errorLocation_.clear();
    std::vector<uint8_t> bytes;
    SkinArchive* arc = SkinArchive::Current();
    if (!arc) {
        if (!ReadWholeFile(SkinArchive::ResourcePath() + name, bytes)) return Fail(L"Error opening file", (size_t)-1);
    } else {
        uint64_t size = 0;
        int idx = arc->Find(name, &size);
        if (idx < 0) return Fail(L"Could not find ziped file", (size_t)-1);
        if (size > kMaxFileSize) return Fail(L"File too large", (size_t)-1);
        if (!arc->Extract(idx, bytes)) return Fail(L"Could not unzip file", (size_t)-1);
    }
    return LoadBytes(bytes.data(), bytes.size(), encoding);
}

int CSkinXml::NewElement() {
    if (elements_.size() == elements_.capacity()) elements_.reserve(elements_.size() + elements_.size() / 2 + 500);
    elements_.emplace_back();
    return (int)elements_.size() - 1;
}

void CSkinXml::SkipWhitespace(size_t& p) const {
    while (text_[p] != 0 && text_[p] <= 32) ++p;
}

void CSkinXml::SkipIdentifier(size_t& p) const {
    for (;;) {
        wchar_t c = text_[p];
        bool ok = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') || c == L'_' ||
                  c == L':';
        if (!ok) break;
        ++p;
    }
}

bool CSkinXml::ParseData(size_t& p, size_t& out, wchar_t end) {
    while (text_[p] != 0 && text_[p] != end) {
        if (text_[p] == L'&') {
            static const struct { const wchar_t* name; wchar_t ch; } kEntities[] = {
                {L"&amp;", L'&'}, {L"&lt;", L'<'}, {L"&gt;", L'>'}, {L"&quot;", L'"'}, {L"&apos;", L'\''}};
            bool done = false;
            for (const auto& e : kEntities) {
                size_t len = std::wcslen(e.name);
                if (std::wcsncmp(&text_[p], e.name, len) == 0) {
                    text_[out++] = e.ch;
                    p += len;
                    done = true;
                    break;
                }
            }
            if (done) continue;
        }
        text_[out++] = text_[p++];
    }
    // The terminator is written after the loop so it never overwrites unread text.
    bool found = text_[p] == end;
    if (out < p) text_[out] = 0;
    return found;
}

bool CSkinXml::ParseNodes(size_t& p, int parent) {
    int prev = 0;
    for (;;) {
        SkipWhitespace(p);
        if (text_[p] == 0) {
            if (parent == 0) return true;
            return Fail(L"Expected end-tag start", p);
        }
        if (text_[p] != L'<') return Fail(L"Expected start tag", p);
        if (text_[p + 1] == L'/') {
            if (parent == 0) return Fail(L"Unmatched closing tag", p);
            return true;  // the caller reads the closing tag
        }
        size_t tagStart = p;
        ++p;
        if (text_[p] == L'?' || text_[p] == L'!') {
            wchar_t stop = text_[p] == L'?' ? L'?' : L'-';
            while (text_[p] != 0 && !(text_[p] == stop && text_[p + 1] == L'>')) ++p;
            if (text_[p] != 0) p += 2;
            continue;
        }
        (void)tagStart;
        int el = NewElement();
        elements_[el].parent = parent;
        if (prev)
            elements_[prev].next = el;
        else if (parent)
            elements_[parent].child = el;
        prev = el;

        size_t nameStart = p;
        SkipIdentifier(p);
        if (p == nameStart) return Fail(L"Error parsing element name", p);
        size_t nameEnd = p;
        elements_[el].name = nameStart;
        // Attributes.
        SkipWhitespace(p);
        while (text_[p] != 0 && text_[p] != L'>' && text_[p] != L'/') {
            size_t aName = p;
            SkipIdentifier(p);
            size_t aNameEnd = p;
            SkipWhitespace(p);
            if (text_[p] != L'=' || aNameEnd == aName) return Fail(L"Error while parsing attributes", p);
            ++p;
            SkipWhitespace(p);
            if (text_[p] != L'"') return Fail(L"Expected attribute value", p);
            ++p;
            size_t vStart = p, out = p;
            if (!ParseData(p, out, L'"')) return Fail(L"Error while parsing attribute string", vStart);
            text_[out] = 0;
            ++p;  // closing quote
            text_[aNameEnd] = 0;
            elements_[el].attrs.emplace_back(aName, vStart);
            SkipWhitespace(p);
        }
        // The name can be terminated only now: the character after it may
        // have been whitespace that separated the first attribute.
        wchar_t afterName = text_[nameEnd];
        if (text_[p] == L'/' && text_[p + 1] == L'>') {
            text_[nameEnd] = 0;
            elements_[el].value = nameEnd;  // empty text
            p += 2;
            continue;
        }
        if (text_[p] != L'>') return Fail(L"Expected start-tag closing", p);
        bool nameTouchesClose = (nameEnd == p);
        ++p;
        // Element text up to the next '<'.
        size_t vStart = p, out = p;
        ParseData(p, out, L'<');
        size_t valueEnd = out;
        if (nameTouchesClose || afterName <= 32) text_[nameEnd] = 0;
        if (text_[p] == 0) {
            if (valueEnd < text_.size()) text_[valueEnd] = 0;
            elements_[el].value = vStart;
            return true;  // text ended the document
        }
        if (text_[p] != L'<') return Fail(L"Expected end-tag start", p);
        elements_[el].value = vStart;
        if (text_[p + 1] != L'/') {
            if (!ParseNodes(p, el)) return false;
        }
        // Now at "</".
        if (text_[p] != L'<' || text_[p + 1] != L'/') return Fail(L"Expected end-tag start", p);
        p += 2;
        text_[valueEnd] = 0;  // valueEnd is at most the '<' just passed
        SkipWhitespace(p);
        size_t closeStart = p;
        SkipIdentifier(p);
        size_t closeLen = p - closeStart;
        size_t nameLen = nameEnd - nameStart;
        if (closeLen != nameLen || std::wcsncmp(&text_[closeStart], &text_[nameStart], nameLen) != 0)
            return Fail(L"Unmatched closing tag", closeStart);
        SkipWhitespace(p);
        if (text_[p] != L'>') return Fail(L"Unmatched closing tag", closeStart);
        ++p;
    }
}

}  // namespace SkinUI
