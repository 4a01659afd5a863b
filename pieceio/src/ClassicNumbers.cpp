#include "ClassicNumbers.h"

namespace pieceio {

namespace {

locale_t ClassicLocale() {
    static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return classic;
}

}  // namespace

CClassicNumbers::CClassicNumbers() {
    if (locale_t classic = ClassicLocale()) m_previous = uselocale(classic);
}

CClassicNumbers::~CClassicNumbers() {
    if (m_previous) uselocale(m_previous);
}

}  // namespace pieceio
