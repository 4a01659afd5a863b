// Makes the calling thread read and write numbers with a decimal point for a
// scope, whatever the process locale: piece files are exchanged between
// machines and must not depend on it.
#pragma once

#include <locale.h>

namespace pieceio {

class CClassicNumbers {
public:
    CClassicNumbers();
    ~CClassicNumbers();
    CClassicNumbers(const CClassicNumbers&) = delete;
    CClassicNumbers& operator=(const CClassicNumbers&) = delete;

private:
    locale_t m_previous = nullptr;
};

}  // namespace pieceio
