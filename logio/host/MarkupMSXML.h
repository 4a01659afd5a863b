// The host's XML document with the navigation of the classic Markup class:
// a parent, a current ("main") element and a child element. FindElem moves
// the main position to the next sibling element (the first one when there is
// no main position), FindChildElem likewise among the main element's
// children, IntoElem makes the main element the parent and the child the main
// element, OutOfElem goes back up. Adding an element places it after the
// current one (at the end when there is none) and makes it current.
//
// Documents are read as UTF-8, GBK (declared "GBK", "GB2312", "GB18030" or
// "CP936", or undeclared and not valid UTF-8), Latin-1 when declared so, or
// UTF-16 with a byte order mark; every text handed out is UTF-8. They are
// saved as UTF-8.
#pragma once

#include <memory>

#include "platform/CString.h"

class CMarkupMSXML {
public:
    CMarkupMSXML();
    ~CMarkupMSXML();
    CMarkupMSXML(const CMarkupMSXML&) = delete;
    CMarkupMSXML& operator=(const CMarkupMSXML&) = delete;

    // Reads a file; false (and an empty document) when it cannot be read or is
    // not well-formed XML with one document element. Positions are reset.
    bool Load(const CString& path);
    // The same from the document's bytes.
    bool SetDoc(const CString& text);
    // The document as UTF-8 text with its declaration; "" when it is empty.
    CString GetDoc() const;
    // Writes the document as UTF-8 through a temporary file, so a failed
    // write never leaves half a file; false when empty or unwritable.
    bool Save(const CString& path) const;
    // Why the last Load, SetDoc or Save failed.
    CString GetError() const;

    void ResetPos();
    // Next sibling element, of the given tag name when one is given.
    bool FindElem(const CString& name = CString());
    // Next child element of the main element (first finding a main element
    // when there is none), of the given tag name when one is given.
    bool FindChildElem(const CString& name = CString());
    bool IntoElem();
    bool OutOfElem();

    // Of the main element ("" when there is none).
    CString GetTagName() const;
    CString GetAttrib(const CString& name) const;
    // The element's own text (its text and CDATA children, joined).
    CString GetData() const;
    // Of the child element ("" when there is none).
    CString GetChildTagName() const;

    // False when the name is not an XML name, when there is no element to add
    // to, or when a second document element would result.
    bool AddElem(const CString& name, const CString& data = CString());
    bool AddChildElem(const CString& name, const CString& data = CString());
    // Sets an attribute of the main element, adding it when missing.
    bool AddAttrib(const CString& name, const CString& value);
    bool SetAttrib(const CString& name, const CString& value);

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};
