// Self-description of a record's fields for the host's generic serialiser.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/CString.h"

class CClassDescribe {
public:
    struct Description {
        CString key;
        void* address;
        std::string typeName;  // typeid(field type).name()
        int flag;
    };

    CClassDescribe() = default;
    // A description names fields of the object that owns it: copies start empty
    // and the owner registers its own fields again.
    CClassDescribe(const CClassDescribe&) {}
    CClassDescribe& operator=(const CClassDescribe&) { return *this; }

    void AddDescription(const CString& key, void* address, const char* typeName, int flag);
    const std::vector<Description>& GetDescriptions() const { return m_items; }

    // Field values as key to text. Known types: int, unsigned, bool, double,
    // float, CString; any other type name is taken as a 32-bit enumeration.
    std::map<CString, CString> ToTexts() const;
    // Sets every described field whose key is present; false when a text does
    // not parse for its field (that field is left unchanged).
    bool FromTexts(const std::map<CString, CString>& texts) const;

private:
    std::vector<Description> m_items;
};
