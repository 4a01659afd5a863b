// Decoders: the factory's decoder and the detailed decoding of layer-3
// messages into named fields.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "logio/host/Decode.h"
#include "logio/host/Factory.h"
#include "logio/host/Testdata.h"

namespace {

// A message record whose bytes are the encoded elements.
void SetMessage(CTestdataBase& r, const char* name, const std::vector<L3Element>& elements) {
    std::vector<unsigned char> bytes;
    ASSERT_TRUE(EncodeL3Detail(elements, bytes));
    r.m_MsgInfo.strMsgName = name;
    r.m_Buffer.SetBuffer(bytes.data(), bytes.size());
}

std::vector<CString> Lines(const CTestdataBase& r, bool* ok = nullptr) {
    CDecoder decoder;
    std::list<CString> lines;
    const bool decoded = decoder.DTDetailDecode(struct_STREAMINFO{}, r, lines);
    if (ok) *ok = decoded;
    return {lines.begin(), lines.end()};
}

}  // namespace

TEST(DecoderTest, RadioBearerSetupDecodesIntoNamedFieldsInOrder) {
    CTestdataBase r;
    SetMessage(r, "Radio Bearer Setup (DL-DCCH)",
               {{"rrc-TransactionIdentifier", 0, 2, ""},
                {"ul-AddReconfTransChInfoList", 0, 0, ""},
                {"ul-TransportChannelType", 1, 0, "dch"},
                {"transportChannelIdentity", 1, 3, ""},
                {"transportFormatSet", 1, 0, ""},
                {"crc-Size", 2, 0, "crc16"},
                {"dl-AddReconfTransChInfoList", 0, 0, ""},
                {"dl-transportChannelIdentity", 1, 3, ""},
                {"sameAsULTrCH", 1, 3, ""},
                {"imsi", 0, 0, "460001234567890"}});
    bool ok = false;
    EXPECT_EQ(Lines(r, &ok), (std::vector<CString>{
                                 "rrc-TransactionIdentifier: 2",
                                 "ul-AddReconfTransChInfoList",
                                 "  ul-TransportChannelType: dch",
                                 "  transportChannelIdentity: 3",
                                 "  transportFormatSet",
                                 "    crc-Size: crc16",
                                 "dl-AddReconfTransChInfoList",
                                 "  dl-transportChannelIdentity: 3",
                                 "  sameAsULTrCH: 3",
                                 "imsi: 460001234567890",
                             }));
    EXPECT_TRUE(ok);
}

TEST(DecoderTest, MalformedMessagesAreRefused) {
    // Elements the encoder refuses.
    std::vector<unsigned char> bytes;
    EXPECT_FALSE(EncodeL3Detail({{"no-such-field", 0, 0, ""}}, bytes));
    EXPECT_FALSE(EncodeL3Detail({{"crc-Size", 0, 0, "crc7"}}, bytes));
    EXPECT_FALSE(EncodeL3Detail({{"crc-Size", 1, 0, "crc0"}}, bytes));  // too deep at first

    const std::vector<std::vector<unsigned char>> bad = {
        {200, 0},                  // unknown field code
        {9, 0, 1, 2},              // integer cut short
        {14, 0, 9},                // enumeration index out of range
        {3, 0, 10, 'a'},           // text cut short
        {6, 0, 9, 2, 1, 0, 0, 0},  // two levels deeper at once
        {6},                       // element head cut short
    };
    for (const auto& b : bad) {
        CTestdataBase r;
        r.m_MsgInfo.strMsgName = "RRC Connection Setup";
        r.m_Buffer.SetBuffer(b.data(), b.size());
        bool ok = true;
        Lines(r, &ok);
        EXPECT_FALSE(ok) << static_cast<int>(b[0]);
    }
    CTestdataBase none;  // no message at all
    bool ok = true;
    EXPECT_TRUE(Lines(none, &ok).empty());
    EXPECT_FALSE(ok);
}

TEST(DecoderTest, TheFactoryGivesAWorkingDecoder) {
    std::unique_ptr<IDecoder> decoder(CFactory::Instance()->CreateDecoder());
    ASSERT_NE(decoder, nullptr);
    CTestdataBase r;  // built in memory: nothing left to decode
    EXPECT_TRUE(decoder->Decode(160, &r, &r));
    EXPECT_FALSE(decoder->Decode(160, nullptr, &r));
    EXPECT_FALSE(decoder->Decode(1000, &r, &r));
    auto* concrete = dynamic_cast<CDecoder*>(decoder.get());
    ASSERT_NE(concrete, nullptr);
    EXPECT_EQ(concrete->GetDecodedCount(), 1u);
    decoder->Reset(0, 1);
    EXPECT_EQ(concrete->GetDecodedCount(), 0u);
    EXPECT_EQ(concrete->GetFailedCount(), 0u);
}
