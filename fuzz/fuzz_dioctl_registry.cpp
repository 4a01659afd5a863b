// Registry files and automation texts from anywhere: parsing must not fail,
// and what is written back must read the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "ole/Guid.h"
#include "ole/Registry.h"
#include "ole/Variant.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    ole::RegistryFile file = ole::RegistryFile::Parse(text);
    const std::string written = file.Serialize();
    ole::RegistryFile again = ole::RegistryFile::Parse(written);
    if (again.Entries() != file.Entries() || again.Serialize() != written) std::abort();

    for (const auto& [key, value] : file.Entries()) {
        if (!file.Get(key)) std::abort();
        if (std::optional<ole::GUID> g = ole::GUIDFromString(value)) {
            if (ole::GUIDFromString(ole::StringFromGUID(*g)) != g) std::abort();
        }
        file.Set(key, "x");
    }
    if (!file.Entries().empty()) file.DeleteTree(file.Entries().front().first);

    const ole::VARIANT v = ole::VARIANT::BStr(std::string(text.substr(0, 64)));
    int16_t i2 = 0;
    uint8_t ui1 = 0;
    ole::VARIANT_BOOL b = 0;
    ole::VariantToI2(v, i2);
    ole::VariantToUI1(v, ui1);
    ole::VariantToBool(v, b);
    return 0;
}
