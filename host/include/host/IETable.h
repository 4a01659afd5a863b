// The system's IE table and event table, loaded from the text files in Config/
// (IETable.txt, EventTable.txt; their format is described in Config/README).
#pragma once

#include <unordered_map>
#include <vector>

#include "logio/host/HostDefs.h"
#include "logio/host/MemDataRow.h"
#include "platform/CString.h"

// Memory field types are MemTableFieldTypeEnum; unset ranges hold kNoValueD.

// Entries in ascending number, found by number (a vector index) or by name.
template <class T>
class CNumberedEntries {
public:
    // sorted ascends by number; byName maps each name to its index in sorted.
    void Assign(std::vector<T> sorted, std::unordered_map<CString, int> byName) {
        m_byNumber.assign(sorted.empty() ? 0 : static_cast<size_t>(sorted.back().number) + 1, -1);
        for (size_t k = 0; k < sorted.size(); ++k)
            m_byNumber[static_cast<size_t>(sorted[k].number)] = static_cast<int>(k);
        m_all = std::move(sorted);
        m_byName = std::move(byName);
    }
    void Clear() { Assign({}, {}); }
    const T* FindByNumber(int number) const {
        if (number < 0 || static_cast<size_t>(number) >= m_byNumber.size()) return nullptr;
        const int index = m_byNumber[static_cast<size_t>(number)];
        return index < 0 ? nullptr : &m_all[static_cast<size_t>(index)];
    }
    const T* FindByName(const CString& name) const {
        auto it = m_byName.find(name);
        return it == m_byName.end() ? nullptr : &m_all[static_cast<size_t>(it->second)];
    }
    const std::vector<T>& All() const { return m_all; }

private:
    std::vector<T> m_all;                       // ascending number
    std::vector<int> m_byNumber;                // number -> index in m_all, -1 when unknown
    std::unordered_map<CString, int> m_byName;  // name -> index in m_all
};

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
    const std::vector<IEInfo>& All() const { return m_entries.All(); }

    // Largest IE number a table may hold; keeps the number index small.
    static constexpr int kMaxNumber = 99999;
    // Largest number of members of one family.
    static constexpr int kMaxFamily = 4096;

private:
    void Clear();

    CNumberedEntries<IEInfo> m_entries;
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
    const std::vector<EventInfo>& All() const { return m_entries.All(); }

    static constexpr int kMaxNumber = 99999;

private:
    void Clear();

    CNumberedEntries<EventInfo> m_entries;
};
