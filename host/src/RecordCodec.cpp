#include "host/logstore/RecordCodec.h"

#include <cstring>
#include <string>
#include <type_traits>
#include <utility>

#include "host/logstore/LogFormat.h"

namespace {

using logstore::Get;
using logstore::Put;

template <class T>
constexpr bool kScalar = std::is_arithmetic_v<T>;

template <class T>
constexpr bool kComposite =
    !std::is_arithmetic_v<T> && !std::is_array_v<T> && !std::is_same_v<T, std::string>;

// Appends fields in the store's order and widths.
class Writer {
public:
    explicit Writer(std::vector<unsigned char>& out) : m_out(out) {}
    bool Ok() const { return m_ok; }

    template <class T>
    requires kScalar<T>
    void operator()(const T& value) { Append(&value, sizeof value); }
    template <class T, size_t N>
    void operator()(T (&array)[N]) {
        if constexpr (kScalar<T>)
            Append(array, sizeof array);
        else
            for (auto& item : array) (*this)(item);
    }
    void operator()(std::string& text) {
        if (text.size() > 0xFFFF) {
            m_ok = false;
            return;
        }
        (*this)(static_cast<uint16_t>(text.size()));
        Append(text.data(), text.size());
    }
    template <class T>
    requires kComposite<T>
    void operator()(T& item) { item.Visit(*this); }
    template <class L>
    void List(L& items, size_t max) {
        using T = std::remove_reference_t<decltype(items[0])>;
        if (items.size() > max) {
            m_ok = false;
            return;
        }
        (*this)(static_cast<uint16_t>(items.size()));
        if constexpr (kScalar<T>)
            Append(items.data(), items.size() * sizeof(T));
        else
            for (auto& item : items) (*this)(item);
    }

private:
    void Append(const void* bytes, size_t len) {
        const auto* p = static_cast<const unsigned char*>(bytes);
        m_out.insert(m_out.end(), p, p + len);
    }
    std::vector<unsigned char>& m_out;
    bool m_ok = true;
};

// Bytes a value takes in the store when it holds no list or text (then its
// size is fixed); 0 otherwise.
class SizeVisitor {
public:
    size_t size = 0;
    bool flat = true;
    template <class T>
    requires kScalar<T>
    void operator()(T&) { size += sizeof(T); }
    template <class T, size_t N>
    void operator()(T (&array)[N]) {
        if constexpr (kScalar<T>)
            size += sizeof array;
        else
            for (auto& item : array) (*this)(item);
    }
    void operator()(std::string&) { flat = false; }
    template <class T>
    requires kComposite<T>
    void operator()(T& item) { item.Visit(*this); }
    template <class L>
    void List(L&, size_t) {
        flat = false;
    }
};

template <class T>
size_t FlatSize() {
    static const size_t size = [] {
        T probe;
        SizeVisitor v;
        v(probe);
        return v.flat ? v.size : 0;
    }();
    return size;
}

// Reads a value of fixed size whose bytes are known to be there.
class UncheckedReader {
public:
    explicit UncheckedReader(const unsigned char* p) : m_p(p) {}
    template <class T>
    requires kScalar<T>
    void operator()(T& value) {
        std::memcpy(&value, m_p, sizeof value);
        m_p += sizeof value;
    }
    template <class T, size_t N>
    void operator()(T (&array)[N]) {
        if constexpr (kScalar<T>) {
            std::memcpy(array, m_p, sizeof array);
            m_p += sizeof array;
        } else {
            for (auto& item : array) (*this)(item);
        }
    }
    template <class T>
    requires kComposite<T>
    void operator()(T& item) { item.Visit(*this); }
    // Flat values hold neither texts nor lists.
    void operator()(std::string&) {}
    template <class L>
    void List(L&, size_t) {}

private:
    const unsigned char* m_p;
};

// Reads fields back; never reads past the end. Once anything is wrong, the
// rest reads as zero and Ok() is false.
class Reader {
public:
    Reader(const unsigned char* p, size_t len) : m_p(p), m_end(p + len) {}
    bool Ok() const { return m_ok; }
    size_t Left() const { return static_cast<size_t>(m_end - m_p); }
    const unsigned char* Position() const { return m_p; }
    void Fail() {
        m_ok = false;
        m_p = m_end;
    }
    bool Skip(size_t len) {
        if (Left() < len) {
            Fail();
            return false;
        }
        m_p += len;
        return true;
    }

    template <class T>
    requires kScalar<T>
    void operator()(T& value) {
        if (Left() < sizeof value) {
            Fail();
            value = T();
            return;
        }
        std::memcpy(&value, m_p, sizeof value);
        m_p += sizeof value;
    }
    template <class T, size_t N>
    void operator()(T (&array)[N]) {
        if constexpr (kScalar<T>) {
            if (Left() < sizeof array) {
                Fail();
                std::memset(array, 0, sizeof array);
                return;
            }
            std::memcpy(array, m_p, sizeof array);
            m_p += sizeof array;
        } else {
            for (auto& item : array) (*this)(item);
        }
    }
    void operator()(std::string& text) {
        uint16_t len = 0;
        (*this)(len);
        if (Left() < len) {
            Fail();
            text.clear();
            return;
        }
        text.assign(reinterpret_cast<const char*>(m_p), len);
        m_p += len;
    }
    template <class T>
    requires kComposite<T>
    void operator()(T& item) { item.Visit(*this); }
    template <class L>
    void List(L& items, size_t max) {
        using T = std::remove_reference_t<decltype(items[0])>;
        uint16_t count = 0;
        (*this)(count);
        // Every entry takes at least one byte, so a count beyond what is left
        // is damage, not a reason to allocate.
        if (!m_ok || count > max || count > Left()) {
            Fail();
            items.clear();
            return;
        }
        items.resize(count);
        if constexpr (kScalar<T>) {
            if (Left() < count * sizeof(T)) {
                Fail();
                items.clear();
                return;
            }
            if (count) std::memcpy(items.data(), m_p, count * sizeof(T));
            m_p += count * sizeof(T);
        } else if (const size_t flat = FlatSize<T>(); flat && count * flat <= Left()) {
            UncheckedReader fast(m_p);
            for (auto& item : items) fast(item);
            m_p += count * flat;
        } else {
            for (auto& item : items) {
                (*this)(item);
                if (!m_ok) break;
            }
        }
    }

private:
    const unsigned char* m_p;
    const unsigned char* m_end;
    bool m_ok = true;
};

// Writes one block: tag, length, fields.
template <class B>
bool EncodeBlock(unsigned char tag, const B* block, std::vector<unsigned char>& out) {
    if (!block) return true;
    out.push_back(tag);
    const size_t lengthAt = out.size();
    out.resize(out.size() + 4);
    Writer writer(out);
    writer(const_cast<B&>(*block));
    if (!writer.Ok()) return false;
    Put<uint32_t>(out.data() + lengthAt, static_cast<uint32_t>(out.size() - lengthAt - 4));
    return true;
}

CTestdataSpares& Spares(std::unique_ptr<CTestdataSpares>& spares) {
    if (!spares) spares = std::make_unique<CTestdataSpares>();
    return *spares;
}

// A block for slot: the spare of its kind when there is one.
template <class B>
B* TakeBlock(std::unique_ptr<CTestdataSpares>& spares, int index) {
    if (spares && spares->blocks[index])
        return static_cast<B*>(std::exchange(spares->blocks[index], nullptr));
    return new B();
}

// Reads the body of a block into its slot; the whole body must be used.
template <class B>
bool ReadBlock(const unsigned char* body, size_t len, B*& slot,
               std::unique_ptr<CTestdataSpares>& spares, int index) {
    if (!slot) slot = TakeBlock<B>(spares, index);
    // A block of fixed size is read after one check; 0 means it has none.
    if (const size_t flat = FlatSize<B>(); flat != 0 && flat == len) {
        UncheckedReader fast(body);
        fast(*slot);
        return true;
    }
    Reader reader(body, len);
    reader(*slot);
    return reader.Ok() && reader.Left() == 0;
}

// Walks the blocks of a section: tag, 32-bit length, body.
template <class F>
bool ForEachBlock(const unsigned char* p, size_t len, F&& onBlock) {
    Reader reader(p, len);
    while (reader.Left() > 0) {
        uint8_t tag = 0;
        uint32_t blockLen = 0;
        reader(tag);
        reader(blockLen);
        if (!reader.Ok() || reader.Left() < blockLen) return false;
        const unsigned char* body = reader.Position();
        reader.Skip(blockLen);
        if (!onBlock(tag, body, blockLen)) return false;
    }
    return true;
}

bool ReadDeviceBlock(unsigned char tag, const unsigned char* body, size_t len, CTestdataBase& r,
                     std::unique_ptr<CTestdataSpares>& spares) {
    switch (tag) {
#define LOGSTORE_READ(t, type, member) \
    case t:                            \
        return ReadBlock(body, len, r.member, spares, kIndex_##type);
        LOGSTORE_DEVICE_BLOCKS(LOGSTORE_READ)
#undef LOGSTORE_READ
        default:
            return true;  // a block of a later format version
    }
}

bool ReadContentBlock(unsigned char tag, const unsigned char* body, size_t len, CTestdataBase& r,
                      std::unique_ptr<CTestdataSpares>& spares) {
    switch (tag) {
        case kTagMessage: {
            Reader reader(body, len);
            reader(r.m_MsgInfo);
            uint32_t bytes = 0;
            reader(bytes);
            if (!reader.Ok() || reader.Left() != bytes) return false;
            r.m_Buffer.SetBuffer(reader.Position(), bytes);
            return true;
        }
        case kTagBuffer:
            r.m_Buffer.SetBuffer(body, len);
            return true;
#define LOGSTORE_READ(t, type, member) \
    case t:                            \
        return ReadBlock(body, len, r.member, spares, kIndex_##type);
            LOGSTORE_CONTENT_BLOCKS(LOGSTORE_READ)
#undef LOGSTORE_READ
        default:
            return true;
    }
}

void DetachContent(CTestdataBase& r, std::unique_ptr<CTestdataSpares>& spares);

}  // namespace

bool CRecordCodec::Encode(const CTestdataBase& r, std::vector<unsigned char>& out) {
    const size_t start = out.size();
    out.resize(start + logstore::kRecordHead);
    unsigned char* h = out.data() + start;
    Put<int32_t>(h + 0, r.m_nRecordType);
    Put<int8_t>(h + 4, r.m_nUENo);
    Put<uint8_t>(h + 5, r.m_bSegment ? 1 : 0);
    Put<int16_t>(h + 6, r.m_nChannel);
    Put<int32_t>(h + 8, r.m_nDeviceType);
    Put<int32_t>(h + 12, r.m_nNetworkMode);
    Put<uint32_t>(h + 16, r.m_RecordTime.ToMilliseconds());
    Put<int32_t>(h + 20, r.m_nMessageID);
    Put<double>(h + 24, r.m_dLongitude);
    Put<double>(h + 32, r.m_dLatitude);
    Put<int16_t>(h + 40, r.m_nStatus);
    Put<int16_t>(h + 42, r.m_nSubType);
    Put<int32_t>(h + 44, r.m_nSequenceNumber);
    Put<int32_t>(h + 48, r.m_nTimeStamp);
    Put<uint32_t>(h + 52, r.m_nEventID);

    bool ok = true;
    {
        Writer writer(out);
        std::string name = r.m_strRecordText;
        writer(name);
        ok = writer.Ok();
    }
#define LOGSTORE_ENCODE(t, type, member) ok = ok && EncodeBlock(t, r.member, out);
    LOGSTORE_DEVICE_BLOCKS(LOGSTORE_ENCODE)
    Put<uint32_t>(out.data() + start + 56,
                  static_cast<uint32_t>(out.size() - start - logstore::kRecordHead));

    if (!r.m_bDecoded) {
        out.insert(out.end(), r.m_raw.begin(), r.m_raw.end());
    } else {
        if (!r.m_MsgInfo.strMsgName.empty() || r.m_MsgInfo.nMsgType != 0) {
            out.push_back(kTagMessage);
            const size_t lengthAt = out.size();
            out.resize(out.size() + 4);
            Writer writer(out);
            writer(const_cast<CIE_Msg_Info&>(r.m_MsgInfo));
            const uint32_t bytes = static_cast<uint32_t>(r.m_Buffer.GetBufferLen());
            writer(bytes);
            if (bytes)
                out.insert(out.end(), r.m_Buffer.GetBuffer(), r.m_Buffer.GetBuffer() + bytes);
            ok = ok && writer.Ok();
            Put<uint32_t>(out.data() + lengthAt, static_cast<uint32_t>(out.size() - lengthAt - 4));
        } else if (r.m_Buffer.GetBufferLen() > 0) {
            out.push_back(kTagBuffer);
            const uint32_t bytes = static_cast<uint32_t>(r.m_Buffer.GetBufferLen());
            const size_t at = out.size();
            out.resize(at + 4);
            Put<uint32_t>(out.data() + at, bytes);
            out.insert(out.end(), r.m_Buffer.GetBuffer(), r.m_Buffer.GetBuffer() + bytes);
        }
        LOGSTORE_CONTENT_BLOCKS(LOGSTORE_ENCODE)
    }
#undef LOGSTORE_ENCODE
    if (!ok || out.size() - start > logstore::kMaxPayload) {
        out.resize(start);
        return false;
    }
    return true;
}

bool CRecordCodec::PeekHeader(const unsigned char* p, size_t len, Peek& peek) {
    if (len < logstore::kRecordHead) return false;
    peek.recordType = Get<int32_t>(p);
    peek.ueNumber = Get<int8_t>(p + 4);
    peek.msOfDay = Get<uint32_t>(p + 16);
    return true;
}

bool CRecordCodec::Read(const unsigned char* p, size_t len, CTestdataBase& r) {
    r.Clear();
    if (len < logstore::kRecordHead) return false;
    r.m_nRecordType = Get<int32_t>(p + 0);
    r.m_nUENo = Get<int8_t>(p + 4);
    r.m_bSegment = Get<uint8_t>(p + 5) & 1;
    r.m_nChannel = Get<int16_t>(p + 6);
    r.m_nDeviceType = Get<int32_t>(p + 8);
    r.m_nNetworkMode = Get<int32_t>(p + 12);
    r.m_RecordTime = sys_time::FromMilliseconds(Get<uint32_t>(p + 16));
    r.m_nMessageID = Get<int32_t>(p + 20);
    r.m_dLongitude = Get<double>(p + 24);
    r.m_dLatitude = Get<double>(p + 32);
    r.m_nStatus = Get<int16_t>(p + 40);
    r.m_nSubType = Get<int16_t>(p + 42);
    r.m_nSequenceNumber = Get<int32_t>(p + 44);
    r.m_nTimeStamp = Get<int32_t>(p + 48);
    r.m_nEventID = Get<uint32_t>(p + 52);
    const uint32_t deviceLen = Get<uint32_t>(p + 56);
    if (deviceLen > len - logstore::kRecordHead) {
        r.Clear();
        return false;
    }
    const unsigned char* device = p + logstore::kRecordHead;
    Reader reader(device, deviceLen);
    reader(r.m_strRecordText);
    const size_t nameLen = deviceLen - reader.Left();
    bool ok = reader.Ok() &&
              ForEachBlock(device + nameLen, deviceLen - nameLen,
                           [&](unsigned char tag, const unsigned char* body, size_t blockLen) {
                               return ReadDeviceBlock(tag, body, blockLen, r, r.m_spares);
                           });
    if (!ok) {
        r.Clear();
        return false;
    }
    const unsigned char* content = device + deviceLen;
    const size_t contentLen = len - logstore::kRecordHead - deviceLen;
    r.m_raw.assign(content, content + contentLen);
    r.m_bDecoded = contentLen == 0;
    return true;
}

bool CRecordCodec::Decode(CTestdataBase& in, CTestdataBase& out) {
    if (&in != &out) {
        out.CopyFrom(in);
        return Decode(out, out);
    }
    if (in.m_bDecoded) return true;
    const bool ok = ForEachBlock(in.m_raw.data(), in.m_raw.size(),
                                 [&](unsigned char tag, const unsigned char* body, size_t len) {
                                     return ReadContentBlock(tag, body, len, out, out.m_spares);
                                 });
    if (!ok) {
        DetachContent(out, out.m_spares);
        return false;
    }
    out.m_bDecoded = true;
    out.m_raw.clear();
    return true;
}

namespace {

template <class B>
void Detach(B*& slot, CTestdataSpares& spares, int index) {
    if (!slot) return;
    auto& spare = spares.blocks[index];
    if (spare)
        delete slot;
    else
        spare = slot;
    slot = nullptr;
}

void DetachContent(CTestdataBase& r, std::unique_ptr<CTestdataSpares>& owned) {
    CTestdataSpares& spares = Spares(owned);
#define LOGSTORE_DETACH(t, type, member) Detach(r.member, spares, kIndex_##type);
    LOGSTORE_CONTENT_BLOCKS(LOGSTORE_DETACH)
#undef LOGSTORE_DETACH
    r.m_MsgInfo = CIE_Msg_Info();
    r.m_Buffer.Clear();
}

}  // namespace

void CRecordCodec::DetachBlocks(CTestdataBase& r) {
    CTestdataSpares& spares = Spares(r.m_spares);
#define LOGSTORE_DETACH(t, type, member) Detach(r.member, spares, kIndex_##type);
    LOGSTORE_ALL_BLOCKS(LOGSTORE_DETACH)
#undef LOGSTORE_DETACH
}

void CRecordCodec::DeleteBlocks(CTestdataBase& r) {
#define LOGSTORE_DELETE(t, type, member) \
    delete r.member;                     \
    r.member = nullptr;
    LOGSTORE_ALL_BLOCKS(LOGSTORE_DELETE)
#undef LOGSTORE_DELETE
}

void CRecordCodec::CopyBlocks(const CTestdataBase& from, CTestdataBase& to) {
#define LOGSTORE_COPY(t, type, member)                                           \
    if (from.member) {                                                           \
        if (!to.member) to.member = TakeBlock<type>(to.m_spares, kIndex_##type); \
        *to.member = *from.member;                                               \
    }
    LOGSTORE_ALL_BLOCKS(LOGSTORE_COPY)
#undef LOGSTORE_COPY
}

void CRecordCodec::CopyHeader(const CTestdataBase& from, CTestdataBase& to) {
    to.m_nRecordType = from.m_nRecordType;
    to.m_nUENo = from.m_nUENo;
    to.m_nDeviceType = from.m_nDeviceType;
    to.m_nNetworkMode = from.m_nNetworkMode;
    to.m_RecordTime = from.m_RecordTime;
    to.m_nMessageID = from.m_nMessageID;
    to.m_dLongitude = from.m_dLongitude;
    to.m_dLatitude = from.m_dLatitude;
    to.m_strRecordText = from.m_strRecordText;
    to.m_nChannel = from.m_nChannel;
    to.m_nStatus = from.m_nStatus;
    to.m_nSequenceNumber = from.m_nSequenceNumber;
    to.m_nSubType = from.m_nSubType;
    to.m_nTimeStamp = from.m_nTimeStamp;
    to.m_bSegment = from.m_bSegment;
    to.m_nEventID = from.m_nEventID;
}
