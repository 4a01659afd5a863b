// CMarkupMSXML: navigation, building and saving, reading in every encoding.
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "logio/host/MarkupMSXML.h"
#include "platform/Encoding.h"

namespace {

// A parameter tree in the shape the parameter pickers read.
const char* const kTree = R"(<?xml version="1.0" encoding="UTF-8"?>
<Orrery type="ORRERYSTREAM">
  <Independent>
    <Position type="ORRERYPARAMTYPE">
      <Longitude type="ORRERYPARAMITEM"/>
      <Latitude type="ORRERYPARAMITEM"/>
    </Position>
  </Independent>
  <!-- protocols follow -->
  <PROTOCOL type="ORRERYPROTOCOL" value="TD-SCDMA">
    <TD_Params type="ORRERYPARAMROOT">
      <TimeslotISCP type="ORRERYPARAMITEM" check="true"/>
    </TD_Params>
  </PROTOCOL>
  <PROTOCOL type="ORRERYPROTOCOL" value="GSM">
    <GSM_Params type="ORRERYPARAMROOT">
      <RxLev type="ORRERYPARAMITEM"/>
      <Serving type="ORRERYPARAMTYPE"><BCCH type="ORRERYPARAMITEM"/></Serving>
    </GSM_Params>
  </PROTOCOL>
  <Events type="ORRERYEVENTSROOT"><Event1/></Events>
</Orrery>
)";

std::string TempPath(const char* name) {
    return "/tmp/markup_test_" + std::to_string(::getpid()) + "_" + name;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Every element below the current level, depth first, through FindElem,
// IntoElem and OutOfElem only: "tag(type)" indented by depth.
void Walk(CMarkupMSXML& xml, int depth, std::string& out) {
    while (xml.FindElem()) {
        out += std::string(depth * 2, ' ') + xml.GetTagName().str();
        const CString type = xml.GetAttrib("type");
        if (!type.IsEmpty()) out += "(" + type.str() + ")";
        out += "\n";
        xml.IntoElem();
        Walk(xml, depth + 1, out);
        xml.OutOfElem();
    }
}

TEST(Markup, WalksTheWholeTreeInDocumentOrder) {
    CMarkupMSXML xml;
    ASSERT_TRUE(xml.SetDoc(kTree)) << xml.GetError();
    std::string listing;
    Walk(xml, 0, listing);
    EXPECT_EQ(listing,
              "Orrery(ORRERYSTREAM)\n"
              "  Independent\n"
              "    Position(ORRERYPARAMTYPE)\n"
              "      Longitude(ORRERYPARAMITEM)\n"
              "      Latitude(ORRERYPARAMITEM)\n"
              "  PROTOCOL(ORRERYPROTOCOL)\n"
              "    TD_Params(ORRERYPARAMROOT)\n"
              "      TimeslotISCP(ORRERYPARAMITEM)\n"
              "  PROTOCOL(ORRERYPROTOCOL)\n"
              "    GSM_Params(ORRERYPARAMROOT)\n"
              "      RxLev(ORRERYPARAMITEM)\n"
              "      Serving(ORRERYPARAMTYPE)\n"
              "        BCCH(ORRERYPARAMITEM)\n"
              "  Events(ORRERYEVENTSROOT)\n"
              "    Event1\n");
    // The walk ends back at the document level.
    EXPECT_FALSE(xml.OutOfElem());
    EXPECT_EQ(xml.GetTagName(), "Orrery");
}

TEST(Markup, FindsByNameAmongSiblingsAndChildren) {
    CMarkupMSXML xml;
    ASSERT_TRUE(xml.SetDoc(kTree));
    // FindChildElem finds the document element first when there is no main one.
    ASSERT_TRUE(xml.FindChildElem("Independent"));
    EXPECT_EQ(xml.GetTagName(), "Orrery");
    EXPECT_EQ(xml.GetChildTagName(), "Independent");
    // The next PROTOCOL child after Independent, then the one after it.
    ASSERT_TRUE(xml.FindChildElem("PROTOCOL"));
    ASSERT_TRUE(xml.FindChildElem("PROTOCOL"));
    EXPECT_FALSE(xml.FindChildElem("PROTOCOL"));
    EXPECT_EQ(xml.GetChildTagName(), "PROTOCOL");  // a failed find does not move

    // IntoElem makes the child the main element.
    ASSERT_TRUE(xml.IntoElem());
    EXPECT_EQ(xml.GetAttrib("value"), "GSM");
    EXPECT_EQ(xml.GetAttrib("missing"), "");
    EXPECT_FALSE(xml.FindElem("PROTOCOL"));
    EXPECT_EQ(xml.GetAttrib("value"), "GSM");

    xml.ResetPos();
    ASSERT_TRUE(xml.FindElem("Orrery"));
    ASSERT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.FindElem("PROTOCOL"));
    EXPECT_EQ(xml.GetAttrib("value"), "TD-SCDMA");
    ASSERT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.FindElem());
    ASSERT_TRUE(xml.FindChildElem());
    EXPECT_EQ(xml.GetChildTagName(), "TimeslotISCP");
    // OutOfElem returns to the parent, which becomes the main element again
    // with the left element as its child position.
    ASSERT_TRUE(xml.OutOfElem());
    EXPECT_EQ(xml.GetTagName(), "PROTOCOL");
    EXPECT_EQ(xml.GetChildTagName(), "TD_Params");
    EXPECT_FALSE(xml.FindChildElem());  // nothing after it
    ASSERT_TRUE(xml.FindElem("PROTOCOL"));
    EXPECT_EQ(xml.GetAttrib("value"), "GSM");
    EXPECT_EQ(xml.GetChildTagName(), "");

    CMarkupMSXML empty;
    EXPECT_FALSE(empty.FindElem());
    EXPECT_FALSE(empty.FindChildElem());
    EXPECT_FALSE(empty.IntoElem());
    EXPECT_EQ(empty.GetTagName(), "");
    EXPECT_EQ(empty.GetData(), "");
}

TEST(Markup, TemplateRoundTripThroughAFile) {
    const std::string path = TempPath("template.xml");
    {
        CMarkupMSXML xml;
        ASSERT_TRUE(xml.AddElem("IMPSETTING"));
        ASSERT_TRUE(xml.IntoElem());
        ASSERT_TRUE(xml.AddElem("IE", "MidambleShift"));
        ASSERT_TRUE(xml.AddAttrib("name", "MidambleShift_0"));
        ASSERT_TRUE(xml.AddElem("IE", "信号 <强度> & \"质量\""));
        ASSERT_TRUE(xml.AddAttrib("name", "a'b\"c&d<e>"));
        ASSERT_TRUE(xml.OutOfElem());
        ASSERT_TRUE(xml.Save(path.c_str())) << xml.GetError();
    }
    EXPECT_EQ(ReadBytes(path).rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>", 0), 0u);

    CMarkupMSXML xml;
    ASSERT_TRUE(xml.Load(path.c_str())) << xml.GetError();
    ASSERT_TRUE(xml.FindElem("IMPSETTING"));
    ASSERT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.FindElem("IE"));
    EXPECT_EQ(xml.GetData(), "MidambleShift");
    EXPECT_EQ(xml.GetAttrib("name"), "MidambleShift_0");
    ASSERT_TRUE(xml.FindElem("IE"));
    EXPECT_EQ(xml.GetData(), "信号 <强度> & \"质量\"");
    EXPECT_EQ(xml.GetAttrib("name"), "a'b\"c&d<e>");
    EXPECT_FALSE(xml.FindElem("IE"));

    // A template with nothing selected is a document element alone.
    CMarkupMSXML bare;
    ASSERT_TRUE(bare.AddElem("IMPSETTING"));
    ASSERT_TRUE(bare.Save(path.c_str()));
    ASSERT_TRUE(xml.Load(path.c_str()));
    ASSERT_TRUE(xml.FindElem("IMPSETTING"));
    EXPECT_FALSE(xml.FindChildElem());
    std::remove(path.c_str());
}

TEST(Markup, AddsAfterTheCurrentElement) {
    CMarkupMSXML xml;
    EXPECT_FALSE(xml.AddChildElem("x"));  // no main element yet
    EXPECT_FALSE(xml.AddAttrib("a", "1"));
    ASSERT_TRUE(xml.AddElem("root"));
    EXPECT_FALSE(xml.AddElem("second"));  // one document element only
    ASSERT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.AddElem("a"));
    ASSERT_TRUE(xml.AddElem("c"));
    ASSERT_TRUE(xml.OutOfElem());
    ASSERT_TRUE(xml.IntoElem());  // "c" was the child position
    EXPECT_EQ(xml.GetTagName(), "c");
    xml.ResetPos();
    ASSERT_TRUE(xml.FindElem());
    ASSERT_TRUE(xml.FindChildElem("a"));
    ASSERT_TRUE(xml.AddChildElem("b", "text"));  // after "a"
    ASSERT_TRUE(xml.IntoElem());
    ASSERT_TRUE(xml.SetAttrib("k", "1"));
    ASSERT_TRUE(xml.SetAttrib("k", "2"));  // replaces
    ASSERT_TRUE(xml.AddAttrib("m", ""));

    for (const char* bad : {"", "1abc", "a b", "a<b", "-x", "a\"b"}) {
        EXPECT_FALSE(xml.AddElem(bad)) << bad;
        EXPECT_FALSE(xml.AddChildElem(bad)) << bad;
        EXPECT_FALSE(xml.SetAttrib(bad, "v")) << bad;
    }
    EXPECT_TRUE(xml.AddChildElem("名称"));  // names beyond ASCII are allowed

    EXPECT_EQ(xml.GetDoc(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<root>\n"
              "\t<a />\n"
              "\t<b k=\"2\" m=\"\">text<名称 />\n"
              "\t</b>\n"
              "\t<c />\n"
              "</root>\n");
}

TEST(Markup, ReadsEveryDeclaredEncoding) {
    const std::string body = "<树 名=\"参数\">中文 text</树>";
    struct Case {
        const char* name;
        std::string bytes;
    };
    std::u16string u16 = u"<树 名=\"参数\">中文 text</树>";
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (char16_t c : u16) {
        le += static_cast<char>(c & 0xFF);
        le += static_cast<char>(c >> 8);
        be += static_cast<char>(c >> 8);
        be += static_cast<char>(c & 0xFF);
    }
    const Case cases[] = {
        {"UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + body},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + body},
        {"no declaration", body},
        {"GBK", "<?xml version=\"1.0\" encoding=\"GBK\"?>\n" + platform::Utf8ToGbk(body)},
        {"gb2312", "<?xml version='1.0' encoding='gb2312'?>" + platform::Utf8ToGbk(body)},
        {"GBK undeclared", platform::Utf8ToGbk(body)},
        {"UTF-16LE", le},
        {"UTF-16BE", be},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = TempPath("enc.xml");
        WriteBytes(path, c.bytes);
        CMarkupMSXML xml;
        ASSERT_TRUE(xml.Load(path.c_str())) << xml.GetError();
        ASSERT_TRUE(xml.FindElem());
        EXPECT_EQ(xml.GetTagName(), "树");
        EXPECT_EQ(xml.GetAttrib("名"), "参数");
        EXPECT_EQ(xml.GetData(), "中文 text");
        std::remove(path.c_str());
    }

    CMarkupMSXML xml;
    ASSERT_TRUE(xml.SetDoc("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a v=\"caf\xE9\"/>"));
    ASSERT_TRUE(xml.FindElem());
    EXPECT_EQ(xml.GetAttrib("v"), "café");
    EXPECT_FALSE(xml.SetDoc("<?xml version=\"1.0\" encoding=\"EBCDIC\"?><a/>"));
    EXPECT_NE(xml.GetError().Find("EBCDIC"), -1);
}

TEST(Markup, RefusesWhatIsNotOneWellFormedDocument) {
    const char* const bad[] = {
        "",         "   ",          "plain text",           "<a><b></a>", "<a>",
        "<a/><b/>", "<a/>trailing", "<a x=\"1\" x=\"2\"/>", "<a x=1/>",
    };
    for (const char* text : bad) {
        CMarkupMSXML xml;
        ASSERT_TRUE(xml.SetDoc("<old/>"));
        EXPECT_FALSE(xml.SetDoc(text)) << '"' << text << '"';
        EXPECT_FALSE(xml.GetError().IsEmpty());
        EXPECT_EQ(xml.GetDoc(), "");  // the former document is gone
        EXPECT_FALSE(xml.FindElem());
    }
    // Comments, processing instructions, a document type and blanks may stand
    // beside the document element.
    CMarkupMSXML xml;
    EXPECT_TRUE(xml.SetDoc(
        "<?xml version=\"1.0\"?>\n<!DOCTYPE a>\n<!-- c --><?pi x?>\n<a/>\n  <!-- d -->\n"))
        << xml.GetError();
    EXPECT_FALSE(xml.Load(TempPath("missing.xml").c_str()));
    EXPECT_FALSE(xml.GetError().IsEmpty());
}

TEST(Markup, TextsAreAlwaysValidUtf8) {
    CMarkupMSXML xml;
    // Declared UTF-8 with a stray byte, and a reference to a lone surrogate.
    ASSERT_TRUE(
        xml.SetDoc("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a v=\"x\xFFy\">&#xD800;</a>"));
    ASSERT_TRUE(xml.FindElem());
    EXPECT_EQ(xml.GetAttrib("v"), "x\xEF\xBF\xBDy");
    EXPECT_TRUE(platform::IsValidUtf8(xml.GetData().str()));
    EXPECT_TRUE(platform::IsValidUtf8(xml.GetDoc().str()));
}

TEST(Markup, SaveNeverLeavesHalfAFile) {
    CMarkupMSXML empty;
    const std::string path = TempPath("save.xml");
    EXPECT_FALSE(empty.Save(path.c_str()));
    EXPECT_FALSE(std::ifstream(path).good());

    CMarkupMSXML xml;
    ASSERT_TRUE(xml.AddElem("root"));
    const std::string dir = TempPath("no_such_dir");
    EXPECT_FALSE(xml.Save((dir + "/out.xml").c_str()));
    EXPECT_FALSE(xml.GetError().IsEmpty());

    // Overwriting keeps the old file until the new one is complete.
    WriteBytes(path, "<old/>");
    ASSERT_TRUE(xml.Save(path.c_str()));
    CMarkupMSXML back;
    ASSERT_TRUE(back.Load(path.c_str()));
    ASSERT_TRUE(back.FindElem("root"));
    std::remove(path.c_str());
}

}  // namespace
