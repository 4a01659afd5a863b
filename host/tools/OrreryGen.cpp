// Writes the parameter tree file Orrery.xml from the system IE table and the
// event table, so that the tree and the tables cannot drift apart.
//
//   orrery_gen IETABLE EVENTTABLE OUTPUT
//
// Layout of the file: the document element is a stream level, so its children
// are the top-level nodes of every tree. The protocols come first, TD-SCDMA
// before GSM (the import selection takes the first two as those), then LTE;
// then Independent with the protocol-independent groups, the event definitions
// and the view producers. Each IE goes where its group paths say:
// "Independent/Group" or "Protocol/Root/Group/...".
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "host/IETable.h"

namespace {

const char* const kProtocols[] = {"TD-SCDMA", "GSM", "LTE"};

// Views of the host that read streams; the tree lists them for the host's
// view factory and every reader of parameters skips them.
const char* const kProducers[] = {"MapView", "ChartView", "TableView", "MessageView", "EventView"};

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> out;
    size_t start = 0;
    for (;;) {
        size_t p = s.find(sep, start);
        out.push_back(s.substr(start, p == std::string::npos ? std::string::npos : p - start));
        if (p == std::string::npos) break;
        start = p + 1;
    }
    return out;
}

// Finds the child group of the given name and type, or appends it.
pugi::xml_node Child(pugi::xml_node parent, const std::string& name, const char* type) {
    for (pugi::xml_node c : parent.children()) {
        if (name == c.name() && std::string(c.attribute("type").value()) == type) return c;
    }
    pugi::xml_node c = parent.append_child(name.c_str());
    c.append_attribute("type") = type;
    return c;
}

// Marks a group checked when every IE below it is: the import selection shows
// some groups as one parameter and reads their own check attribute.
bool MarkCheckedGroups(pugi::xml_node node) {
    const std::string type = node.attribute("type").value();
    if (type == "ORRERYPARAMITEM") return node.attribute("check");
    bool all = true;
    bool any = false;
    for (pugi::xml_node c : node.children()) {
        const bool checked = MarkCheckedGroups(c);
        all = all && checked;
        any = true;
    }
    if (type == "ORRERYPARAMTYPE" && any && all) node.append_attribute("check") = "true";
    return any && all;
}

bool Fail(const std::string& message) {
    std::fprintf(stderr, "orrery_gen: %s\n", message.c_str());
    return false;
}

bool Build(const CIETable& ies, const CEventTable& events, pugi::xml_document& doc) {
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = doc.append_child("ORRERY");
    root.append_attribute("type") = "ORRERYSTREAM";

    std::map<std::string, pugi::xml_node> protocol;
    for (const char* p : kProtocols) {
        pugi::xml_node n = root.append_child("PROTOCOL");
        n.append_attribute("type") = "ORRERYPROTOCOL";
        n.append_attribute("value") = p;
        protocol[p] = n;
    }
    pugi::xml_node independent = root.append_child("Independent");
    independent.append_attribute("type") = "ORRERYPARAMROOT";

    for (const IEInfo& ie : ies.All()) {
        for (const CString& g : ie.Groups()) {
            const std::vector<std::string> parts = Split(g.str(), '/');
            const std::string where = "IE " + std::to_string(ie.number) + " (" + ie.name.str() +
                                      "), group \"" + g.str() + "\": ";
            pugi::xml_node parent;
            if (parts[0] == "Independent") {
                // The text importer reads Independent/Group/IE and nothing deeper.
                if (parts.size() != 2) return Fail(where + "use Independent/Group");
                parent = Child(independent, parts[1], "ORRERYPARAMTYPE");
            } else {
                auto it = protocol.find(parts[0]);
                if (it == protocol.end()) return Fail(where + "unknown protocol or root");
                parent = Child(it->second, parts[1], "ORRERYPARAMROOT");
                for (size_t k = 2; k < parts.size(); ++k)
                    parent = Child(parent, parts[k], "ORRERYPARAMTYPE");
            }
            pugi::xml_node item = parent.append_child(ie.name.GetString());
            item.append_attribute("type") = "ORRERYPARAMITEM";
            if (ie.checked) item.append_attribute("check") = "true";
        }
    }

    for (pugi::xml_node c : root.children()) MarkCheckedGroups(c);

    pugi::xml_node eventsRoot = root.append_child("Events");
    eventsRoot.append_attribute("type") = "ORRERYEVENTSROOT";
    for (const EventInfo& e : events.All()) {
        pugi::xml_node n = eventsRoot.append_child("Event");
        n.append_attribute("type") = "ORRERYEVENT";
        n.append_attribute("id") = e.number;
        n.append_attribute("name") = e.name.GetString();
    }
    pugi::xml_node producers = root.append_child("Producers");
    producers.append_attribute("type") = "ORRERYPRODUCERROOT";
    for (const char* p : kProducers) {
        pugi::xml_node n = producers.append_child("Producer");
        n.append_attribute("type") = "ORRERYPRODUCER";
        n.append_attribute("name") = p;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: orrery_gen IETABLE EVENTTABLE OUTPUT\n");
        return 2;
    }
    CIETable ies;
    CEventTable events;
    CString error;
    if (!ies.Load(argv[1], &error) || !events.Load(argv[2], &error)) {
        std::fprintf(stderr, "orrery_gen: %s\n", error.GetString());
        return 1;
    }
    pugi::xml_document doc;
    if (!Build(ies, events, doc)) return 1;
    // Written beside the target and renamed, so a failed run leaves no half file.
    const std::string out = argv[3];
    const std::string tmp = out + ".tmp";
    if (!doc.save_file(tmp.c_str(), "  ", pugi::format_indent | pugi::format_no_declaration,
                       pugi::encoding_utf8) ||
        std::rename(tmp.c_str(), out.c_str()) != 0) {
        std::remove(tmp.c_str());
        std::fprintf(stderr, "orrery_gen: cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
