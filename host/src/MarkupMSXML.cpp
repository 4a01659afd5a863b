#include "logio/host/MarkupMSXML.h"

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <pugixml.hpp>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/Encoding.h"

namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The encoding named by the XML declaration; "" when none.
std::string DeclaredEncoding(std::string_view bytes) {
    if (bytes.substr(0, 5) != "<?xml") return "";
    const size_t end = bytes.find("?>");
    if (end == std::string_view::npos) return "";
    const std::string_view decl = bytes.substr(0, end);
    size_t i = decl.find("encoding");
    if (i == std::string_view::npos) return "";
    i += 8;
    while (i < decl.size() && (decl[i] == ' ' || decl[i] == '\t' || decl[i] == '\r' ||
                               decl[i] == '\n' || decl[i] == '='))
        ++i;
    if (i >= decl.size() || (decl[i] != '"' && decl[i] != '\'')) return "";
    const char quote = decl[i++];
    const size_t close = decl.find(quote, i);
    if (close == std::string_view::npos) return "";
    return std::string(decl.substr(i, close - i));
}

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
        units += static_cast<char16_t>(hi << 8 | lo);
    }
    std::string out = platform::Utf16ToUtf8(units);
    if (bytes.size() % 2) out += "\xEF\xBF\xBD";  // a lone last byte
    return out;
}

std::string FromLatin1(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// The document's bytes as UTF-8; false for an encoding we do not read.
bool Decode(std::string_view bytes, std::string& utf8, std::string& error) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        utf8 = platform::MakeValidUtf8(bytes.substr(3));
        return true;
    }
    // UTF-16 by its byte order mark, or by the '<' of the first tag.
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        utf8 = FromUtf16(bytes.substr(2), false);
        return true;
    }
    if (bytes.substr(0, 2) == "\xFE\xFF") {
        utf8 = FromUtf16(bytes.substr(2), true);
        return true;
    }
    if (bytes.size() >= 2 && bytes[0] == '<' && bytes[1] == '\0') {
        utf8 = FromUtf16(bytes, false);
        return true;
    }
    if (bytes.size() >= 2 && bytes[0] == '\0' && bytes[1] == '<') {
        utf8 = FromUtf16(bytes, true);
        return true;
    }
    const std::string raw = DeclaredEncoding(bytes);
    const std::string enc = Lower(raw);
    if (enc == "gbk" || enc == "gb2312" || enc == "gb18030" || enc == "cp936" ||
        enc == "windows-936" || enc == "x-gbk" || (enc.empty() && !platform::IsValidUtf8(bytes))) {
        utf8 = platform::GbkToUtf8(bytes);
    } else if (enc.empty() || enc == "utf-8" || enc == "utf8" || enc == "us-ascii" ||
               enc == "ascii") {
        utf8 = platform::MakeValidUtf8(bytes);
    } else if (enc == "iso-8859-1" || enc == "latin1" || enc == "latin-1" || enc == "l1") {
        utf8 = FromLatin1(bytes);
    } else {
        error = "unsupported encoding \"" + raw + "\"";
        return false;
    }
    return true;
}

bool IsNameStart(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
}

// An XML name; characters beyond ASCII are taken as name characters.
bool IsXmlName(const CString& name) {
    const std::string& s = name.str();
    if (s.empty() || !IsNameStart(static_cast<unsigned char>(s[0])) || !platform::IsValidUtf8(s))
        return false;
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (!IsNameStart(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.') return false;
    }
    return true;
}

bool IsElement(const pugi::xml_node& n) { return n.type() == pugi::node_element; }

// Next element after `after` among the children of `parent` (the first when
// `after` is empty), with the given name unless it is empty.
pugi::xml_node NextElement(const pugi::xml_node& parent, const pugi::xml_node& after,
                           const CString& name) {
    pugi::xml_node n = after ? after.next_sibling() : parent.first_child();
    for (; n; n = n.next_sibling()) {
        if (IsElement(n) && (name.IsEmpty() || name.str() == n.name())) return n;
    }
    return {};
}

// Inserts a new element under parent after `after` (at the end when empty).
pugi::xml_node InsertElement(pugi::xml_node parent, const pugi::xml_node& after,
                             const CString& name, const CString& data) {
    pugi::xml_node n = after ? parent.insert_child_after(pugi::node_element, after)
                             : parent.append_child(pugi::node_element);
    if (!n) return n;
    n.set_name(name.GetString());
    if (!data.IsEmpty())
        n.append_child(pugi::node_pcdata).set_value(platform::MakeValidUtf8(data.str()).c_str());
    return n;
}

// Character references can name code points UTF-8 cannot carry (surrogates),
// so texts leaving the document are made valid.
CString Text(const char* s) { return CString(platform::MakeValidUtf8(s)); }

// True when no element of the document repeats an attribute name.
bool UniqueAttributes(const pugi::xml_document& doc) {
    std::unordered_set<std::string_view> seen;
    pugi::xml_node n = doc.first_child();
    while (n) {
        if (IsElement(n) && n.first_attribute()) {
            seen.clear();
            for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
                if (!seen.insert(a.name()).second) return false;
            }
        }
        if (n.first_child()) {
            n = n.first_child();
            continue;
        }
        while (n != doc && !n.next_sibling()) n = n.parent();
        if (n == doc) break;
        n = n.next_sibling();
    }
    return true;
}

struct StringWriter : pugi::xml_writer {
    std::string out;
    void write(const void* data, size_t size) override {
        out.append(static_cast<const char*>(data), size);
    }
};

}  // namespace

struct CMarkupMSXML::Impl {
    pugi::xml_document doc;
    pugi::xml_node parent;  // the document node itself at the top level
    pugi::xml_node pos;
    pugi::xml_node child;
    std::string error;

    Impl() { Reset(); }
    void Reset() {
        parent = doc;
        pos = child = pugi::xml_node();
    }

    bool Parse(std::string_view bytes) {
        doc.reset();
        Reset();
        error.clear();
        std::string utf8;
        try {
            if (!Decode(bytes, utf8, error)) return false;
        } catch (const std::exception& e) {
            error = e.what();
            return false;
        }
        // As a fragment, so that text outside the document element is kept and
        // refused below rather than dropped.
        const unsigned options =
            pugi::parse_default | pugi::parse_comments | pugi::parse_pi | pugi::parse_fragment;
        const pugi::xml_parse_result r =
            doc.load_buffer(utf8.data(), utf8.size(), options, pugi::encoding_utf8);
        if (!r) {
            error = std::string("not well-formed XML: ") + r.description() + " at offset " +
                    std::to_string(r.offset);
            doc.reset();
            return false;
        }
        // One document element, and nothing but comments and processing
        // instructions beside it.
        int elements = 0;
        for (pugi::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
            if (IsElement(n)) {
                ++elements;
            } else if (n.type() != pugi::node_comment && n.type() != pugi::node_pi &&
                       n.type() != pugi::node_declaration && n.type() != pugi::node_doctype) {
                elements = 2;
            }
        }
        if (elements != 1) {
            error = elements == 0 ? "not well-formed XML: no document element"
                                  : "not well-formed XML: content beside the document element";
            doc.reset();
            return false;
        }
        if (!UniqueAttributes(doc)) {
            error = "not well-formed XML: an attribute repeated in one element";
            doc.reset();
            return false;
        }
        return true;
    }
};

CMarkupMSXML::CMarkupMSXML() : m(std::make_unique<Impl>()) {}
CMarkupMSXML::~CMarkupMSXML() = default;

bool CMarkupMSXML::Load(const CString& path) {
    std::FILE* f = std::fopen(path.GetString(), "rb");
    if (!f) {
        m->doc.reset();
        m->Reset();
        m->error = "cannot open " + path.str();
        return false;
    }
    std::string bytes;
    char buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    const bool readError = std::ferror(f) != 0;
    std::fclose(f);
    if (readError) {
        m->doc.reset();
        m->Reset();
        m->error = "cannot read " + path.str();
        return false;
    }
    return m->Parse(bytes);
}

bool CMarkupMSXML::SetDoc(const CString& text) { return m->Parse(text.str()); }

CString CMarkupMSXML::GetDoc() const {
    if (!m->doc.document_element()) return CString();
    StringWriter w;
    w.out = kDeclaration;
    m->doc.save(w, "\t", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    return CString(std::move(w.out));
}

bool CMarkupMSXML::Save(const CString& path) const {
    const CString text = GetDoc();
    if (text.IsEmpty()) {
        m->error = "the document is empty";
        return false;
    }
    const std::string tmp = path.str() + ".tmp" + std::to_string(::getpid());
    std::FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) {
        m->error = "cannot create " + tmp;
        return false;
    }
    bool ok = std::fwrite(text.GetString(), 1, text.str().size(), f) == text.str().size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(tmp.c_str(), path.GetString()) != 0) {
        std::remove(tmp.c_str());
        m->error = "cannot write " + path.str();
        return false;
    }
    m->error.clear();
    return true;
}

CString CMarkupMSXML::GetError() const { return CString(m->error); }

void CMarkupMSXML::ResetPos() { m->Reset(); }

bool CMarkupMSXML::FindElem(const CString& name) {
    const pugi::xml_node n = NextElement(m->parent, m->pos, name);
    if (!n) return false;
    m->pos = n;
    m->child = pugi::xml_node();
    return true;
}

bool CMarkupMSXML::FindChildElem(const CString& name) {
    if (!m->pos && !FindElem()) return false;
    const pugi::xml_node n = NextElement(m->pos, m->child, name);
    if (!n) return false;
    m->child = n;
    return true;
}

bool CMarkupMSXML::IntoElem() {
    if (!m->pos) return false;
    m->parent = m->pos;
    m->pos = m->child;
    m->child = pugi::xml_node();
    return true;
}

bool CMarkupMSXML::OutOfElem() {
    if (m->parent == m->doc) return false;
    m->child = m->pos;
    m->pos = m->parent;
    m->parent = m->parent.parent();
    return true;
}

CString CMarkupMSXML::GetTagName() const { return Text(m->pos.name()); }

CString CMarkupMSXML::GetAttrib(const CString& name) const {
    if (!m->pos) return CString();
    return Text(m->pos.attribute(name.GetString()).value());
}

CString CMarkupMSXML::GetData() const {
    std::string text;
    for (pugi::xml_node n = m->pos.first_child(); n; n = n.next_sibling()) {
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata) text += n.value();
    }
    return Text(text.c_str());
}

CString CMarkupMSXML::GetChildTagName() const { return Text(m->child.name()); }

bool CMarkupMSXML::AddElem(const CString& name, const CString& data) {
    if (!IsXmlName(name)) return false;
    if (m->parent == m->doc && m->doc.document_element()) return false;
    const pugi::xml_node n = InsertElement(m->parent, m->pos, name, data);
    if (!n) return false;
    m->pos = n;
    m->child = pugi::xml_node();
    return true;
}

bool CMarkupMSXML::AddChildElem(const CString& name, const CString& data) {
    if (!m->pos || !IsXmlName(name)) return false;
    const pugi::xml_node n = InsertElement(m->pos, m->child, name, data);
    if (!n) return false;
    m->child = n;
    return true;
}

bool CMarkupMSXML::AddAttrib(const CString& name, const CString& value) {
    return SetAttrib(name, value);
}

bool CMarkupMSXML::SetAttrib(const CString& name, const CString& value) {
    if (!m->pos || !IsXmlName(name)) return false;
    pugi::xml_attribute a = m->pos.attribute(name.GetString());
    if (!a) a = m->pos.append_attribute(name.GetString());
    return a && a.set_value(platform::MakeValidUtf8(value.str()).c_str());
}
