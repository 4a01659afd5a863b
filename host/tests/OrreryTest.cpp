// The generated parameter tree file against the IE table it was made from, and
// against the way its readers walk it: the text importer's protocol lists and
// the IE import selection tree (arrays shown once under a base name).
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/IETable.h"

namespace {

std::string Type(pugi::xml_node n) { return n.attribute("type").value(); }

class OrreryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CString error;
        s_loaded = s_ies.Load(IETABLE_SOURCE_CONFIG "/IETable.txt", &error);
        EXPECT_TRUE(s_loaded) << error.GetString();
        pugi::xml_parse_result r = s_doc.load_file(IETABLE_BUILD_CONFIG "/Orrery.xml");
        EXPECT_TRUE(r) << r.description();
        s_loaded = s_loaded && r;
    }
    void SetUp() override { ASSERT_TRUE(s_loaded); }

    static pugi::xml_node Root() { return s_doc.document_element(); }

    static CIETable s_ies;
    static pugi::xml_document s_doc;
    static bool s_loaded;
};
CIETable OrreryTest::s_ies;
pugi::xml_document OrreryTest::s_doc;
bool OrreryTest::s_loaded = false;

TEST_F(OrreryTest, TopLevelLayout) {
    pugi::xml_node root = Root();
    EXPECT_EQ(Type(root), "ORRERYSTREAM");
    std::vector<std::string> top;
    for (pugi::xml_node c : root.children()) {
        std::string id = std::string(c.name()) + ":" + Type(c);
        if (Type(c) == "ORRERYPROTOCOL") id += ":" + std::string(c.attribute("value").value());
        top.push_back(id);
    }
    EXPECT_EQ(top, (std::vector<std::string>{
                       "PROTOCOL:ORRERYPROTOCOL:TD-SCDMA", "PROTOCOL:ORRERYPROTOCOL:GSM",
                       "PROTOCOL:ORRERYPROTOCOL:LTE", "Independent:ORRERYPARAMROOT",
                       "Events:ORRERYEVENTSROOT", "Producers:ORRERYPRODUCERROOT"}));

    // Protocols hold parameter roots; roots and groups hold items and groups;
    // Independent holds groups of items only.
    for (pugi::xml_node p : root.children("PROTOCOL")) {
        for (pugi::xml_node r : p.children()) {
            EXPECT_EQ(Type(r), "ORRERYPARAMROOT") << r.name();
            for (pugi::xpath_node n : r.select_nodes(".//*")) {
                const std::string t = Type(n.node());
                EXPECT_TRUE(t == "ORRERYPARAMITEM" || t == "ORRERYPARAMTYPE") << n.node().name();
                // Items are leaves, groups are never empty.
                EXPECT_EQ(t == "ORRERYPARAMTYPE", !n.node().first_child().empty())
                    << n.node().name();
            }
        }
    }
    for (pugi::xml_node g : root.child("Independent").children()) {
        EXPECT_EQ(Type(g), "ORRERYPARAMTYPE") << g.name();
        for (pugi::xml_node i : g.children()) EXPECT_EQ(Type(i), "ORRERYPARAMITEM") << i.name();
    }
    // check marks only "true".
    for (pugi::xpath_node n : s_doc.select_nodes("//*[@check]"))
        EXPECT_STREQ(n.node().attribute("check").value(), "true") << n.node().name();
}

TEST_F(OrreryTest, EveryParameterIsAKnownIEAndEveryIEIsListed) {
    std::map<std::string, int> seen;
    for (pugi::xpath_node n : s_doc.select_nodes("//*[@type='ORRERYPARAMITEM']")) {
        const IEInfo* ie = s_ies.FindByName(n.node().name());
        EXPECT_NE(ie, nullptr) << n.node().name() << " is not an IE of the table";
        if (ie) {
            EXPECT_EQ(n.node().attribute("check").as_bool(), ie->checked) << ie->name.str();
        }
        ++seen[n.node().name()];
    }
    for (const IEInfo& ie : s_ies.All())
        EXPECT_EQ(seen[ie.name.str()], static_cast<int>(ie.Groups().size())) << ie.name.str();
}

TEST_F(OrreryTest, EventsRootListsTheEventTable) {
    CEventTable events;
    CString error;
    ASSERT_TRUE(events.Load(IETABLE_SOURCE_CONFIG "/EventTable.txt", &error)) << error.GetString();
    std::vector<std::pair<int, std::string>> listed;
    for (pugi::xml_node e : Root().child("Events").children())
        listed.emplace_back(e.attribute("id").as_int(), e.attribute("name").value());
    ASSERT_EQ(listed.size(), events.All().size());
    for (size_t i = 0; i < listed.size(); ++i) {
        EXPECT_EQ(listed[i].first, events.All()[i].number);
        EXPECT_EQ(listed[i].second, events.All()[i].name.str());
    }
}

// The text importer's lists: Independent/GROUP/IE, and for GSM ROOT/IE and
// ROOT/GROUP/IE. Every other IE counts as TD-SCDMA there.
TEST_F(OrreryTest, TextImporterProtocolListsHoldTheirIEs) {
    std::set<std::string> independent, gsm;
    for (pugi::xml_node g : Root().child("Independent").children()) {
        if (Type(g) != "ORRERYPARAMTYPE") continue;
        for (pugi::xml_node i : g.children())
            if (Type(i) == "ORRERYPARAMITEM") independent.insert(i.name());
    }
    for (pugi::xml_node p : Root().children("PROTOCOL")) {
        if (std::string(p.attribute("value").value()) != "GSM") continue;
        for (pugi::xml_node r : p.children()) {
            if (Type(r) != "ORRERYPARAMROOT") continue;
            for (pugi::xml_node c : r.children()) {
                if (Type(c) == "ORRERYPARAMITEM") gsm.insert(c.name());
                if (Type(c) != "ORRERYPARAMTYPE") continue;
                for (pugi::xml_node i : c.children())
                    if (Type(i) == "ORRERYPARAMITEM") gsm.insert(i.name());
            }
        }
    }
    for (const IEInfo& ie : s_ies.All()) {
        const CString first = ie.Groups().front();
        const bool isIndependent = first.Find("Independent/") == 0;
        bool isGsm = false;
        for (const CString& g : ie.Groups()) isGsm = isGsm || g.Find("GSM/") == 0;
        EXPECT_EQ(independent.count(ie.name.str()) == 1, isIndependent) << ie.name.str();
        if (!isIndependent) {
            EXPECT_EQ(gsm.count(ie.name.str()) == 1, isGsm) << ie.name.str();
        }
    }
    EXPECT_EQ(independent.count("RecordTime"), 1u);
    EXPECT_EQ(gsm.count("RxLev"), 1u);
    EXPECT_EQ(gsm.count("NborBCCH_5"), 1u);
}

// Arrays of the IE import selection page: a node whose name contains (or, for
// the second kind, equals) the base name is shown once as that base and
// selects the given first element.
struct ArrayRule {
    std::string base;
    std::string element;
    bool exact;
};

std::vector<ArrayRule> ArrayRules() {
    const char* contains1 =
        "URAIdentities>URAIdentity_0 TimeslotDirection _0 MidambleConfiguration _0 "
        "MidambleShift _0 TimeslotNumber _0 ChannelizationCode _0 TimeslotISCP _0 TrCHBLER _1 "
        "Timeslot_DPCH_RSCP _2 Timeslot_CIR _2 NborUARFCN _0 NborCellParameterID _0 "
        "NborPCCPCHRSCP _0 NborISCP>Nbor_ISCP_0_0 NborCarrierRSSI _0 NborPathLoss _0 NborRn _0 "
        "GSM_NborQoffset _0 NborQoffset _0 UL_RetransmitRatio _1 UL_RLCMode _1 "
        "RLC_ULThroughput _1 RLC_DLThroughput _1 PDCP_ULThroughput _5 PDCP_DLThroughput _5 "
        "SYNC_DL_Scan _1 DwPCH_RSCP_Scan _1 DwPCH_CIR_Scan _1 DwPCH_ISCP_Scan _1 "
        "DwPCH_EcIo_Scan _1 CellParameterID_Scan _1 PCCPCH_RSCP_Scan _1 PCCPCH_ISCP_Scan _1 "
        "PCCPCH_CIR_Scan _1 PCCPCH_SIR_Scan _1 PCCPCH_EcIo_Scan _1 UARFCN_RSSI_Scan _1 "
        "RSSI_TS0_Scan _1 RSSI_DwPTS_Scan _1 RSSI_TS1_Scan _1 RSSI_TS2_Scan _1 RSSI_TS3_Scan _1 "
        "RSSI_TS4_Scan _1 RSSI_TS5_Scan _1 RSSI_TS6_Scan _1 RSSI_Frame_Scan _1 "
        "DwPCH_Timing_Scan _1 PCCPCH_Timing_Scan _1 NborBCCH _0 NborBSIC _0 NborRxLev _0 "
        "NborC1 _0 NborC2 _0 NborC31 _0 NborC32 _0 NborMsTxPowerMaxCCH _0 NborCR_Hyst _0 "
        "NborCR_Offset _0 NborPenalty_time _0 NborTemp_offset _0 GSM_NC_CI _0 GSM_NC_LAC _0 "
        "CCTrchDirection _1 NborRxLevAccessMin _0";
    const char* exact65 = "DDI _0_0";
    const char* contains66 = "MAC_D_PDU_Num _0_0 MAC_ES_PDU_TSN _0_0";
    const char* exact68 =
        "SNPL _0 TEBS _0 UPH _0 HLBS _0 HLID _0 E_AGCH_Sub_sfn _0 PRRI _0 CRRI _0 TRRI _0 RDI _0 "
        "ENI _0 ECSN _0 SF _0 E_HICH_Recv_Subsfn _0 E_PUCH_Send_Subsfn _0 E_HICH_Result _0 "
        "E_HICH_Sequence_Index _0 TPC_SS_Sequence_Index _0 EUUCH_Sub_Sfn _0 EDCH_TB_Size _0 "
        "EUCCH_Modulation_Type _0 RSN _0 HARQ_ID _0 MAC_E_PDU_Send_Subsfn _0 MAC_ES_Num _0 "
        "DDIO _0 SI_Indicator _0 HS_SCCH_Subsfn _0 HS_SCCH_Codeused _0 HS_PDSCH_Codeset _0 "
        "HS_SCCH_Modulation _0 HS_SCCH_TSBitmap _0 HS_SCCH_TBSize _0 HS_SCCH_HARQ_ProcessID _0 "
        "HS_SCCH_HARQ_IRVersion _0 HS_SCCH_HARQ_NewdataID _0 HS_PDSCHDATA_Subsfn _0 "
        "HS_PDSCHDATA_PDUSize _0 HS_PDSCHDATA_QueueID _0 HS_PDSCHDATA_TSN _0";
    std::vector<ArrayRule> rules;
    auto add = [&](const char* text, bool exact) {
        std::vector<std::string> words;
        std::string w;
        for (const char* p = text;; ++p) {
            if (*p == ' ' || *p == 0) {
                if (!w.empty()) words.push_back(w);
                w.clear();
                if (*p == 0) break;
            } else {
                w += *p;
            }
        }
        for (size_t i = 0; i < words.size(); ++i) {
            const size_t arrow = words[i].find('>');
            if (arrow != std::string::npos) {
                rules.push_back({words[i].substr(0, arrow), words[i].substr(arrow + 1), exact});
            } else {
                rules.push_back({words[i], words[i] + words[i + 1], exact});
                ++i;
            }
        }
    };
    add(contains1, false);
    add(exact65, true);
    add(contains66, false);
    add(exact68, true);
    return rules;
}

// The selection tree as the page builds it from the file.
struct SelectionTree {
    struct Node {
        std::string text;
        bool parameter = false;
        bool checked = false;
        std::vector<int> children;
    };
    std::vector<Node> nodes{Node{"<root>", false, false, {}}};
    std::map<std::string, std::string> arrays;  // shown base -> element name
    std::set<std::string> inserted;
    int scanner = -1;
    std::vector<ArrayRule> rules = ArrayRules();

    int AddNode(int parent, const std::string& text, bool parameter, bool checked) {
        nodes.push_back(Node{text, parameter, checked, {}});
        const int id = static_cast<int>(nodes.size()) - 1;
        nodes[static_cast<size_t>(parent)].children.push_back(id);
        return id;
    }

    void Add(pugi::xml_node e, int parent) {
        const std::string name = e.name();
        const std::string type = Type(e);
        if (name == "Independent" || name == "Uplink_Measurements" ||
            name.find("_by_ARFCN") != std::string::npos)
            return;
        std::string text = name;
        bool array = false;
        bool special = false;
        if (name.find("TimeslotInfo") != std::string::npos) {
            text = "TimeslotInfo";
            special = true;
        } else if (name.find("DPCHInfo") != std::string::npos) {
            text = "DPCHInfo";
            special = true;
        } else if (name.find("UARFCN_Scan") != std::string::npos) {
            if (scanner < 0) {
                scanner = AddNode(parent, "SCANNER_DataInfo", false, false);
                parent = scanner;
            }
            text = "UARFCN_Scan";
            arrays[text] = "UARFCN_Scan_1";
            array = special = true;
        } else if (name == "Pilot_Measurements_Scan" || name == "PCCPCH_Measurements_Scan" ||
                   name == "RSSI_Measurements_Scan") {
            if (scanner >= 0) parent = scanner;
        } else {
            for (const ArrayRule& r : rules) {
                if (r.exact ? name == r.base : name.find(r.base) != std::string::npos) {
                    text = r.base;
                    arrays[r.base] = r.element;
                    array = special = true;
                    break;
                }
            }
        }
        if (type == "ORRERYEVENTSROOT" || type == "ORRERYPRODUCERROOT") return;
        if (type == "ORRERYSTREAM") {
            for (pugi::xml_node c : e.children()) Add(c, parent);
            return;
        }
        if (type == "ORRERYPROTOCOL") text = e.attribute("value").value();
        if (inserted.count(text)) return;
        const bool parameter = array || type == "ORRERYPARAMITEM";
        const int node =
            AddNode(parent, text, parameter, parameter && e.attribute("check").as_bool());
        if (special) inserted.insert(text);
        if (array) return;
        for (pugi::xml_node c : e.children()) Add(c, node);
    }

    // Parameter leaves below a node, with their check states.
    void Leaves(int node, std::map<std::string, bool>& out) const {
        const Node& n = nodes[static_cast<size_t>(node)];
        if (n.parameter) out[n.text] = n.checked;
        for (int c : n.children) Leaves(c, out);
    }
};

// The family of an IE name: the name without trailing "_<digits>" parts.
std::string Stem(std::string name) {
    for (;;) {
        const size_t u = name.rfind('_');
        if (u == std::string::npos || u + 1 == name.size() ||
            name.find_first_not_of("0123456789", u + 1) != std::string::npos)
            return name;
        name.erase(u);
    }
}

TEST_F(OrreryTest, ImportSelectionTreeOffersEveryIE) {
    SelectionTree tree;
    tree.Add(Root(), 0);
    const std::vector<int>& top = tree.nodes[0].children;
    ASSERT_GE(top.size(), 2u);
    // The closing check takes the first two top-level nodes as TD-SCDMA and GSM;
    // both carry default choices, so an untouched page closes without a question.
    std::vector<std::map<std::string, bool>> leaves(top.size());
    for (size_t i = 0; i < top.size(); ++i) tree.Leaves(top[i], leaves[i]);
    EXPECT_EQ(tree.nodes[static_cast<size_t>(top[0])].text, "TD-SCDMA");
    EXPECT_EQ(tree.nodes[static_cast<size_t>(top[1])].text, "GSM");
    for (int i = 0; i < 2; ++i) {
        bool anyChecked = false;
        for (const auto& [name, checked] : leaves[static_cast<size_t>(i)])
            anyChecked = anyChecked || checked;
        EXPECT_TRUE(anyChecked)
            << tree.nodes[static_cast<size_t>(top[static_cast<size_t>(i)])].text;
    }

    // Every array of the page is shown and selects an IE of the table.
    for (const ArrayRule& r : tree.rules) {
        auto it = tree.arrays.find(r.base);
        if (r.base == "NborRxLevAccessMin") {
            // Its members contain "NborRxLev", an earlier rule: the page shows them
            // under that name. Kept as the page has it.
            EXPECT_EQ(it, tree.arrays.end());
            continue;
        }
        ASSERT_NE(it, tree.arrays.end()) << r.base << " is not shown";
        EXPECT_NE(s_ies.FindByName(CString(it->second)), nullptr) << it->second;
    }
    const std::map<std::string, bool>& td = leaves[0];
    EXPECT_TRUE(td.count("MidambleShift") && td.count("TimeslotISCP") && td.count("UARFCN_Scan"));

    // Every IE under a protocol can be chosen: as a leaf of its own, or through
    // the array its family is shown as.
    std::set<std::string> shown, arrayFamilies;
    for (const auto& l : leaves)
        for (const auto& [name, checked] : l) shown.insert(name);
    for (const auto& [base, element] : tree.arrays) arrayFamilies.insert(Stem(element));
    for (const IEInfo& ie : s_ies.All()) {
        if (ie.group.Find("Independent/") == 0 && ie.Groups().size() == 1) continue;
        const std::string name = ie.name.str();
        if (name.rfind("NborRxLevAccessMin_", 0) == 0) continue;
        EXPECT_TRUE(shown.count(name) || arrayFamilies.count(Stem(name)))
            << name << " cannot be chosen on the import selection page";
    }

    // The scanner group opens at UARFCN_Scan and gathers the three measurement groups.
    ASSERT_GE(tree.scanner, 0);
    std::vector<std::string> scannerChildren;
    for (int c : tree.nodes[static_cast<size_t>(tree.scanner)].children)
        scannerChildren.push_back(tree.nodes[static_cast<size_t>(c)].text);
    EXPECT_EQ(scannerChildren,
              (std::vector<std::string>{"UARFCN_Scan", "Pilot_Measurements_Scan",
                                        "PCCPCH_Measurements_Scan", "RSSI_Measurements_Scan"}));
}

}  // namespace
