// Arbitrary bytes as an XML file through CMarkupMSXML: loading, a full walk,
// and saving what was loaded must never crash, must hand out valid UTF-8 only,
// and a saved document must load again and save to the same text.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "logio/host/MarkupMSXML.h"
#include "platform/Encoding.h"

namespace {

void Check(const CString& text) {
    if (!platform::IsValidUtf8(text.str())) __builtin_trap();
}

// Depth first over every element, without recursion: deep input must not
// exhaust the stack here either.
void Walk(CMarkupMSXML& xml) {
    int depth = 0;
    xml.ResetPos();
    for (;;) {
        if (xml.FindElem()) {
            Check(xml.GetTagName());
            Check(xml.GetAttrib("type"));
            Check(xml.GetAttrib("value"));
            Check(xml.GetData());
            xml.IntoElem();
            ++depth;
            continue;
        }
        if (depth == 0) break;
        xml.OutOfElem();
        --depth;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/fuzz_markup_" + std::to_string(::getpid()) + ".xml";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    CMarkupMSXML xml;
    if (!xml.Load(path.c_str())) return 0;
    Walk(xml);
    xml.ResetPos();
    while (xml.FindChildElem()) Check(xml.GetChildTagName());
    const CString doc = xml.GetDoc();
    Check(doc);
    CMarkupMSXML again;
    if (!again.SetDoc(doc)) __builtin_trap();
    if (again.GetDoc() != doc) __builtin_trap();
    return 0;
}
