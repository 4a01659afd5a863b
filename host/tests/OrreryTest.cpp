// The generated parameter tree file against the IE table it was made from.
#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "host/IETable.h"

namespace {

TEST(OrreryTest, EveryParameterIsAKnownIE) {
    CIETable ies;
    CString error;
    ASSERT_TRUE(ies.Load(IETABLE_SOURCE_CONFIG "/IETable.txt", &error)) << error.GetString();
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_file(IETABLE_BUILD_CONFIG "/Orrery.xml"));
    int items = 0;
    for (pugi::xpath_node n : doc.select_nodes("//*[@type='ORRERYPARAMITEM']")) {
        EXPECT_NE(ies.FindByName(n.node().name()), nullptr) << n.node().name();
        ++items;
    }
    EXPECT_GE(items, static_cast<int>(ies.All().size()));
}

}  // namespace
