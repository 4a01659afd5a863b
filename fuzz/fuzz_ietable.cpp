// Arbitrary text through the IE table and event table loaders; a table that
// loads must be consistent in every lookup.
#include <cstdint>
#include <string>

#include "host/IETable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CString error;

    CIETable ies;
    if (ies.LoadText(text, "fuzz", &error)) {
        int previous = 0;
        for (const IEInfo& ie : ies.All()) {
            if (ie.number <= previous || ie.number > CIETable::kMaxNumber) __builtin_trap();
            if (ies.FindByNumber(ie.number) != &ie || ies.FindByName(ie.name) != &ie)
                __builtin_trap();
            if (ie.memType < 1 || ie.memType > 5 || ies.MemType(ie.number) != ie.memType)
                __builtin_trap();
            if (ie.Groups().empty()) __builtin_trap();
            previous = ie.number;
        }
    } else if (error.IsEmpty() || !ies.All().empty()) {
        __builtin_trap();
    }

    CEventTable events;
    if (events.LoadText(text, "fuzz", &error)) {
        int previous = 0;
        for (const EventInfo& e : events.All()) {
            if (e.number <= previous || e.name.IsEmpty()) __builtin_trap();
            if (events.FindByNumber(e.number) != &e || events.FindByName(e.name) != &e)
                __builtin_trap();
            previous = e.number;
        }
    } else if (error.IsEmpty() || !events.All().empty()) {
        __builtin_trap();
    }
    return 0;
}
