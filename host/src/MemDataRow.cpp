#include "logio/host/MemDataRow.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "logio/host/HostDefs.h"

CMemDataType g_memDataType;

uniFieldValue MakeTextFieldValue(const char* text, size_t len) {
    uniFieldValue u{};
    u.pText = new char[len + 1];
    if (len) std::memcpy(u.pText, text, len);
    u.pText[len] = '\0';
    return u;
}

uniFieldValue MakeTextFieldValue(const CString& text) {
    return MakeTextFieldValue(text.GetString(), static_cast<size_t>(text.GetLength()));
}

void InitMemTableFieldByType(MemTableFieldTypeEnum type, uniFieldValue& value) {
    value.raw = 0;
    switch (type) {
        case MEMTABLE_FIELD_BOOL:
            value.bValue = false;
            break;
        case MEMTABLE_FIELD_TEXT:
            value.pText = nullptr;
            break;
        case MEMTABLE_FIELD_SHORT:
            value.sValue = static_cast<int16_t>(kNoValue);
            break;
        case MEMTABLE_FIELD_INT:
            value.iValue = kNoValue;
            break;
        case MEMTABLE_FIELD_FLOAT:
            value.fValue = static_cast<float>(kNoValue);
            break;
        default:
            break;
    }
}

CString FieldValueToText(MemTableFieldTypeEnum type, const uniFieldValue& value) {
    switch (type) {
        case MEMTABLE_FIELD_BOOL:
            return value.bValue ? "1" : "0";
        case MEMTABLE_FIELD_TEXT:
            return value.pText ? CString(value.pText) : CString(kNoValueText);
        case MEMTABLE_FIELD_SHORT:
            return CString::Formatted("%d", value.sValue);
        case MEMTABLE_FIELD_INT:
            return CString::Formatted("%d", value.iValue);
        case MEMTABLE_FIELD_FLOAT: {
            // Shortest text that reads back as the same float.
            char buf[32];
            for (int precision = 6; precision <= 9; ++precision) {
                std::snprintf(buf, sizeof buf, "%.*g", precision,
                              static_cast<double>(value.fValue));
                if (std::strtof(buf, nullptr) == value.fValue) break;
            }
            return CString(buf);
        }
        default:
            return CString::Formatted("%d", value.iValue);
    }
}

void CMemDataType::SetType(int ie, MemTableFieldTypeEnum type) {
    if (ie < 0) return;
    const size_t need = static_cast<size_t>(ie) + 1;
    if (need > m_size) {
        size_t size = m_size ? m_size : 1024;
        while (size < need) size *= 2;
        auto* grown = static_cast<uint8_t*>(std::calloc(size, 1));
        if (!grown) throw std::bad_alloc();
        if (m_types) std::memcpy(grown, m_types, m_size);
        std::free(m_types);
        m_types = grown;
        m_size = size;
    }
    m_types[ie] = static_cast<uint8_t>(type);
}

void CMemDataType::Clear() {
    if (m_types) std::memset(m_types, 0, m_size);
}

CMemDataRowBase::CMemDataRowBase(const CMemDataRowBase& other) { *this = other; }

CMemDataRowBase& CMemDataRowBase::operator=(const CMemDataRowBase& other) {
    if (this == &other) return *this;
    m_recordTime = other.m_recordTime;
    m_sync = other.m_sync;
    m_filterCount = other.m_filterCount;
    m_filter.reset();
    if (other.m_filter) {
        const size_t words = (static_cast<size_t>(m_filterCount) + 63) / 64;
        m_filter.reset(new uint64_t[words]);
        std::memcpy(m_filter.get(), other.m_filter.get(), words * sizeof(uint64_t));
    }
    return *this;
}

void CMemDataRowBase::InitFilterByIENumber(int count, bool state) {
    m_filterCount = count > 0 ? count : 0;
    const size_t words = (static_cast<size_t>(m_filterCount) + 63) / 64;
    m_filter.reset(words ? new uint64_t[words] : nullptr);
    for (size_t i = 0; i < words; ++i) m_filter[i] = state ? ~uint64_t(0) : 0;
}

bool CMemDataRowBase::GetFilter(int index) const {
    if (index < 0 || index >= m_filterCount) return false;
    return (m_filter[index / 64] >> (index % 64)) & 1;
}

void CMemDataRowBase::SetFilter(int index, bool state) {
    if (index < 0 || index >= m_filterCount) return;
    const uint64_t bit = uint64_t(1) << (index % 64);
    if (state)
        m_filter[index / 64] |= bit;
    else
        m_filter[index / 64] &= ~bit;
}

CMemDataRow::CMemDataRow(const CMemDataRow& other) : CMemDataRowBase(other) { CopyFrom(other); }

CMemDataRow& CMemDataRow::operator=(const CMemDataRow& other) {
    if (this == &other) return *this;
    CMemDataRowBase::operator=(other);
    Release();
    CopyFrom(other);
    return *this;
}

CMemDataRow::~CMemDataRow() { Release(); }

void CMemDataRow::CopyFrom(const CMemDataRow& other) {
    if (!other.m_count) return;
    Grow(other.m_count);
    std::memcpy(m_block, other.m_block, other.m_count * sizeof(int32_t));
    std::memcpy(Values(), other.Values(), other.m_count * sizeof(uniFieldValue));
    m_count = other.m_count;
    auto* values = reinterpret_cast<uniFieldValue*>(Values());
    for (uint32_t i = 0; i < m_count; ++i) {
        if (g_memDataType.GetType(IdAt(static_cast<int>(i))) == MEMTABLE_FIELD_TEXT &&
            values[i].pText)
            values[i] = MakeTextFieldValue(values[i].pText, std::strlen(values[i].pText));
    }
}

void CMemDataRow::Grow(uint32_t capacity) {
    if (capacity <= m_capacity) return;
    const size_t offset = ValuesOffset(capacity);
    auto* block =
        static_cast<unsigned char*>(std::malloc(offset + capacity * sizeof(uniFieldValue)));
    if (!block) throw std::bad_alloc();
    if (m_count) {
        std::memcpy(block, m_block, m_count * sizeof(int32_t));
        std::memcpy(block + offset, Values(), m_count * sizeof(uniFieldValue));
    }
    std::free(m_block);
    m_block = block;
    m_capacity = capacity;
}

void CMemDataRow::Reserve(int count) {
    if (count > 0) Grow(static_cast<uint32_t>(count));
}

void CMemDataRow::Shrink() {
    if (m_capacity == m_count) return;
    if (m_count == 0) {
        std::free(m_block);
        m_block = nullptr;
        m_capacity = 0;
        return;
    }
    unsigned char* old = m_block;
    const uint32_t oldCapacity = m_capacity;
    m_block = nullptr;
    m_capacity = 0;
    const uint32_t count = m_count;
    m_count = 0;
    Grow(count);
    std::memcpy(m_block, old, count * sizeof(int32_t));
    std::memcpy(Values(), old + ValuesOffset(oldCapacity), count * sizeof(uniFieldValue));
    m_count = count;
    std::free(old);
}

size_t CMemDataRow::MemoryUsage() const {
    return sizeof(*this) +
           (m_capacity ? ValuesOffset(m_capacity) + m_capacity * sizeof(uniFieldValue) : 0);
}

int CMemDataRow::Find(int ie) const {
    for (uint32_t i = 0; i < m_count; ++i)
        if (IdAt(static_cast<int>(i)) == ie) return static_cast<int>(i);
    return -1;
}

void CMemDataRow::QuickAddIE(int ie, uniFieldValue value) {
    if (m_count == m_capacity) Grow(m_capacity ? m_capacity * 2 : 8);
    reinterpret_cast<int32_t*>(m_block)[m_count] = ie;
    reinterpret_cast<uniFieldValue*>(Values())[m_count] = value;
    ++m_count;
}

bool CMemDataRow::AddIE(int ie, uniFieldValue value) {
    if (ie < 0) return false;
    const int at = Find(ie);
    if (at < 0) {
        QuickAddIE(ie, value);
        return true;
    }
    FreeValue(at);
    reinterpret_cast<uniFieldValue*>(Values())[at] = value;
    return true;
}

int CMemDataRow::GetIEValueByID(int ie, uniFieldValue& value) const {
    const int at = Find(ie);
    if (at < 0) return 0;
    value = ValueAt(at);
    return 1;
}

bool CMemDataRow::GetIEValueText(int ie, CString& text) const {
    uniFieldValue v;
    if (!GetIEValueByID(ie, v)) return false;
    text = FieldValueToText(g_memDataType.GetType(ie), v);
    return true;
}

bool CMemDataRow::RemoveIE(int ie) {
    const int at = Find(ie);
    if (at < 0) return false;
    FreeValue(at);
    const size_t tail = m_count - static_cast<uint32_t>(at) - 1;
    auto* ids = reinterpret_cast<int32_t*>(m_block);
    auto* values = reinterpret_cast<uniFieldValue*>(Values());
    std::memmove(ids + at, ids + at + 1, tail * sizeof(int32_t));
    std::memmove(values + at, values + at + 1, tail * sizeof(uniFieldValue));
    --m_count;
    return true;
}

void CMemDataRow::FreeValue(int index) {
    if (g_memDataType.GetType(IdAt(index)) != MEMTABLE_FIELD_TEXT) return;
    auto* values = reinterpret_cast<uniFieldValue*>(Values());
    delete[] values[index].pText;
    values[index].pText = nullptr;
}

void CMemDataRow::Release() {
    for (uint32_t i = 0; i < m_count; ++i) FreeValue(static_cast<int>(i));
    std::free(m_block);
    m_block = nullptr;
    m_count = 0;
    m_capacity = 0;
}

CMemDataRow* CMemDataRow::Copy() const { return new CMemDataRow(*this); }
