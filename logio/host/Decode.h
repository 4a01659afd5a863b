// Decoders of stored records: the measurement content of a record, and the
// detailed decoding of a layer-3 message into named fields.
#pragma once

#include <cstdint>
#include <list>
#include <vector>

#include "platform/CString.h"

class CTestdataBase;

// The stream a message belongs to, for the detailed decoding.
struct struct_STREAMINFO {
    int nProtocol = 1;  // 1 TD-SCDMA, 2 GSM, 7 LTE
    int nUENo = 0;
    CString strStreamName;
};

class IDecoder {
public:
    virtual ~IDecoder() = default;
    // Decodes in's measurement content into out (usually in itself; when out
    // is another record it receives in's header too). True when the record
    // decoded; a record that was decoded already decodes again at no cost.
    virtual bool Decode(int version, CTestdataBase* in, CTestdataBase* out) = 0;
    // Starts a log: forgets what earlier logs left (flags 0, newLog 1).
    virtual void Reset(int flags, int newLog) = 0;
};

class CDecoder : public IDecoder {
public:
    // The record content is laid out alike in every log version the store
    // writes (100 to 999); other versions do not decode.
    bool Decode(int version, CTestdataBase* in, CTestdataBase* out) override;
    void Reset(int flags, int newLog) override;

    // The record's layer-3 message as lines in message order: a field holding
    // others is its name alone, a field with a value is "name: value"; each
    // level of nesting indents by two blanks. False when the record has no
    // message or its bytes are malformed (lines then holds what decoded).
    bool DTDetailDecode(const struct_STREAMINFO& stream, const CTestdataBase& record,
                        std::list<CString>& lines);

    // Records decoded and refused since the last Reset.
    uint64_t GetDecodedCount() const { return m_decoded; }
    uint64_t GetFailedCount() const { return m_failed; }

private:
    uint64_t m_decoded = 0;
    uint64_t m_failed = 0;
};

// The layer-3 detail encoding of messages (see the store's FORMAT): one
// element per field, in message order.
struct L3Element {
    enum Kind : uint8_t { CONTAINER = 0, INTEGER = 1, ENUMERATED = 2, TEXT = 3 };
    CString strName;  // a field name of the dictionary
    int nDepth = 0;
    int64_t nValue = 0;  // INTEGER; the index for ENUMERATED
    CString strValue;    // ENUMERATED (the enumeration's text) and TEXT
};
// Encodes the elements; false when a name or value is not in the dictionary.
bool EncodeL3Detail(const std::vector<L3Element>& elements, std::vector<unsigned char>& bytes);
