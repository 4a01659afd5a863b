// In-memory data rows: one row of IE values keyed by the project's IE numbers.
// A row keeps its IE numbers and one-word values in one contiguous block
// (4 + 8 bytes per IE), with texts owned by the row.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/CString.h"

// Memory field types of IEs, as the IE table gives them.
enum MemTableFieldTypeEnum {
    MEMTABLE_FIELD_NONE = 0,
    MEMTABLE_FIELD_BOOL = 1,
    MEMTABLE_FIELD_TEXT = 2,
    MEMTABLE_FIELD_SHORT = 3,
    MEMTABLE_FIELD_INT = 4,
    MEMTABLE_FIELD_FLOAT = 5,
};

// One value word. A text is a zero-terminated buffer allocated with new[]
// (see MakeTextFieldValue) that the row takes over.
union uniFieldValue {
    bool bValue;
    int16_t sValue;
    int32_t iValue;
    float fValue;
    char* pText;
    int64_t raw;
};
static_assert(sizeof(uniFieldValue) == 8);

inline uniFieldValue IntFieldValue(int32_t v) {
    uniFieldValue u{};
    u.iValue = v;
    return u;
}
inline uniFieldValue ShortFieldValue(int16_t v) {
    uniFieldValue u{};
    u.sValue = v;
    return u;
}
inline uniFieldValue FloatFieldValue(float v) {
    uniFieldValue u{};
    u.fValue = v;
    return u;
}
inline uniFieldValue BoolFieldValue(bool v) {
    uniFieldValue u{};
    u.bValue = v;
    return u;
}
// A new text value holding a copy of len bytes of text.
uniFieldValue MakeTextFieldValue(const char* text, size_t len);
uniFieldValue MakeTextFieldValue(const CString& text);

// The empty value of a field type: -255 for numbers, false for bool, null for text.
void InitMemTableFieldByType(MemTableFieldTypeEnum type, uniFieldValue& value);
// Text of a value of the given type ("-255" for an empty number or a null text).
CString FieldValueToText(MemTableFieldTypeEnum type, const uniFieldValue& value);

// The memory field type of each IE number, filled from the project's IE table.
class CMemDataType {
public:
    MemTableFieldTypeEnum GetType(int ie) const {
        return ie >= 0 && static_cast<size_t>(ie) < m_size
                   ? static_cast<MemTableFieldTypeEnum>(m_types[ie])
                   : MEMTABLE_FIELD_NONE;
    }
    void SetType(int ie, MemTableFieldTypeEnum type);
    void Clear();

private:
    // Never freed: rows freed during static destruction still look types up.
    uint8_t* m_types = nullptr;
    size_t m_size = 0;
};
extern CMemDataType g_memDataType;

// Record time, synchronisation number and per-IE filter flags of a row.
class CMemDataRowBase {
public:
    CMemDataRowBase() = default;
    CMemDataRowBase(const CMemDataRowBase& other);
    CMemDataRowBase& operator=(const CMemDataRowBase& other);
    virtual ~CMemDataRowBase() = default;

    void SetRecordTime(double seconds) { m_recordTime = seconds; }
    double GetRecordTime() const { return m_recordTime; }
    void SetSynFieldValue(int sync) { m_sync = sync; }
    int GetSynFieldValue() const { return m_sync; }
    // Sizes the filter for count IEs, every flag set to the given state.
    void InitFilterByIENumber(int count, bool state);
    int GetFilterCount() const { return m_filterCount; }
    bool GetFilter(int index) const;
    void SetFilter(int index, bool state);

private:
    double m_recordTime = 0;
    int m_sync = 0;
    int m_filterCount = 0;
    std::unique_ptr<uint64_t[]> m_filter;
};

class CMemDataRow : public CMemDataRowBase {
public:
    CMemDataRow() = default;
    CMemDataRow(const CMemDataRow& other);
    CMemDataRow& operator=(const CMemDataRow& other);
    ~CMemDataRow() override;

    // Adds the IE or replaces its value; false when the number is negative.
    virtual bool AddIE(int ie, uniFieldValue value);
    // Appends without looking for an earlier value of the same IE.
    virtual void QuickAddIE(int ie, uniFieldValue value);
    // 1 and the value when the row holds the IE, else 0.
    virtual int GetIEValueByID(int ie, uniFieldValue& value) const;
    virtual bool RemoveIE(int ie);
    // Frees every value and the storage; the row is empty afterwards.
    virtual void Release();
    // A new row of the same class holding copies of everything.
    virtual CMemDataRow* Copy() const;

    int GetIECount() const { return static_cast<int>(m_count); }
    int GetParamID(int index) const { return IdAt(index); }
    uniFieldValue GetParamValue(int index) const { return ValueAt(index); }
    bool HasIE(int ie) const { return Find(ie) >= 0; }
    // Value as text per its IE's memory type; false when absent.
    bool GetIEValueText(int ie, CString& text) const;

    void Reserve(int count);
    // Gives back unused capacity.
    void Shrink();
    size_t MemoryUsage() const;

protected:
    int Find(int ie) const;

private:
    int32_t IdAt(int i) const { return reinterpret_cast<const int32_t*>(m_block)[i]; }
    uniFieldValue ValueAt(int i) const {
        return reinterpret_cast<const uniFieldValue*>(Values())[i];
    }
    unsigned char* Values() const { return m_block + ValuesOffset(m_capacity); }
    static size_t ValuesOffset(uint32_t capacity) {
        return (capacity * sizeof(int32_t) + 7) & ~size_t(7);
    }
    void Grow(uint32_t capacity);
    void FreeValue(int index);
    void CopyFrom(const CMemDataRow& other);

    // [capacity x int32 IE numbers][padding to 8][capacity x value words]
    unsigned char* m_block = nullptr;
    uint32_t m_count = 0;
    uint32_t m_capacity = 0;
};

// A row of a double-protocol stream: the two leading values and the row.
struct CMergeDataRow_2M {
    int32_t nFirst = 0;
    int32_t nSecond = 0;
    CMemDataRow* pRow = nullptr;
};
