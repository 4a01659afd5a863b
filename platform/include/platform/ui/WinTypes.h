// The few scalar types and results of the framework's interfaces that the
// dialog code uses, with their usual sizes.
#pragma once

#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using INT_PTR = std::intptr_t;
using LPARAM = std::intptr_t;
using DWORD_PTR = std::uintptr_t;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Results of message boxes and modal dialogs.
enum : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
};
