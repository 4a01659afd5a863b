// The system's IE table and event table, loaded from the text files in Config/
// (IETable.txt, EventTable.txt; their format is described in Config/README).
#pragma once

#include <unordered_map>
#include <vector>

#include "logio/host/HostDefs.h"
#include "logio/host/MemDataRow.h"
#include "platform/CString.h"

// Memory field types are MemTableFieldTypeEnum; unset ranges hold kNoValueD.

struct IEInfo {
    int number = 0;
    CString name;
    int memType = 0;  // 1 bool, 2 text, 3 16-bit, 4 32-bit, 5 float
    CString unit;
    double minValue = kNoValueD;  // -255 when unset
    double maxValue = kNoValueD;  // -255 when unset
    // Where the parameter tree shows the IE: "Root/Group/..." paths separated by
    // commas; the first part is "Independent" or a protocol (TD-SCDMA, GSM, LTE).
    CString group;
    bool checked = false;  // selected by default in the IE import selection

    bool HasRange() const { return minValue != kNoValueD || maxValue != kNoValueD; }
    // The paths of group, one per place.
    std::vector<CString> Groups() const;
};

class CIETable {
public:
    // Replaces the table by the file's content; on a bad file the table is left
    // empty and error names the file and line.
    bool Load(const CString& path, CString* error = nullptr);
    // Same, from text already in memory; name stands for the file in messages.
    bool LoadText(const std::string& text, const CString& name, CString* error = nullptr);

    const IEInfo* FindByNumber(int number) const;
    const IEInfo* FindByName(const CString& name) const;
    int MemType(int number) const;
    const std::vector<IEInfo>& All() const { return m_all; }

    // Largest IE number a table may hold; keeps the number index small.
    static constexpr int kMaxNumber = 99999;
    // Largest number of members of one family.
    static constexpr int kMaxFamily = 4096;

private:
    void Clear();

    std::vector<IEInfo> m_all;                  // ascending number
    std::vector<int> m_byNumber;                // number -> index in m_all, -1 when unknown
    std::unordered_map<CString, int> m_byName;  // name -> index in m_all
};

struct EventInfo {
    int number = 0;
    CString name;
};

class CEventTable {
public:
    bool Load(const CString& path, CString* error = nullptr);
    bool LoadText(const std::string& text, const CString& name, CString* error = nullptr);

    const EventInfo* FindByNumber(int number) const;
    const EventInfo* FindByName(const CString& name) const;
    const std::vector<EventInfo>& All() const { return m_all; }

    static constexpr int kMaxNumber = 99999;

private:
    void Clear();

    std::vector<EventInfo> m_all;  // ascending number
    std::vector<int> m_byNumber;
    std::unordered_map<CString, int> m_byName;
};
