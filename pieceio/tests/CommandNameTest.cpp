#include <gtest/gtest.h>

#include <string>

#include "PieceFile.h"

namespace {

TEST(CommandNameTest, CopiesAtMostSizeBytesPaddedAndTerminated) {
    struct Case {
        int size;
        std::string expected;  // the first 16 bytes of the buffer afterwards
    };
    const std::string untouched(16, '#');
    const Case cases[] = {
        {8, std::string("Import \0########", 16)},
        {13, std::string("Import Piece\0###", 16)},
        {12, std::string("Import Piec\0####", 16)},
        {16, std::string("Import Piece\0\0\0\0", 16)},
        {1, std::string("\0###############", 16)},
        {0, untouched},
        {-4, untouched},
    };
    for (const Case& c : cases) {
        std::string buffer = untouched;
        pieceio::CopyCommandName("Import Piece", buffer.data(), c.size);
        EXPECT_EQ(buffer, c.expected) << "size " << c.size;
    }
    pieceio::CopyCommandName("Import Piece", nullptr, 8);
}

}  // namespace
