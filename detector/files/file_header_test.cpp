#include "detector/files/file_header.h"
#include "detector/testing/sample_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

namespace sample_files = detector_testing::sample_files;
using mirl::acquisition::Bytes;
using mirl::acquisition::FileHeader;
using mirl::acquisition::FileReader;
using mirl::acquisition::FileWriter;

TEST(FileHeaderTest, DecodesEveryFieldAtItsOffset) {
    const Bytes bytes = sample_files::RdxpHeader();
    ASSERT_EQ(bytes.size(), FileHeader::Size);
    FileReader reader(bytes);
    FileHeader header;
    header.Load(reader);

    EXPECT_EQ(header.kind, 0x0A);
    EXPECT_EQ(header.spare, 0);
    EXPECT_EQ(header.length, 153u);
    EXPECT_EQ(std::string(header.name.begin(), header.name.end()), "GEN3.DCF    ");
    EXPECT_EQ(std::string(header.sizeText.begin(), header.sizeText.end()), "         153");
    EXPECT_EQ(std::string(header.dateText.begin(), header.dateText.end()), "  07/09/2010");
    EXPECT_EQ(std::string(header.timeText.begin(), header.timeText.end()), "    15:11:40");
    EXPECT_EQ(reader.Consumed(), 64u);
    EXPECT_TRUE(reader.Rest().empty());
}

TEST(FileHeaderTest, EncodesBackTheBytesItRead) {
    Bytes original = sample_files::RdxpHeader();
    // Non-zero reserved and spare bytes must survive too.
    original[1] = 0x5A;
    original[9] = 0xC3;
    FileReader reader(original);
    FileHeader header;
    header.Load(reader);

    Bytes encoded;
    FileWriter writer(encoded);
    header.Save(writer);
    writer.Flush();
    EXPECT_EQ(encoded, original);
}

TEST(FileHeaderTest, MultiByteFieldsAreLittleEndian) {
    Bytes bytes;
    FileWriter writer(bytes);
    writer.PutUInt16(0x1234);
    writer.PutUInt32(0xA1B2C3D4);
    writer.PutByte(0xFF);
    writer.Flush();
    EXPECT_EQ(bytes, (Bytes{0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 0xFF}));

    FileReader reader(bytes);
    std::uint16_t word = 0;
    std::uint32_t dword = 0;
    reader.GetUInt16(word);
    reader.GetUInt32(dword);
    EXPECT_EQ(word, 0x1234);
    EXPECT_EQ(dword, 0xA1B2C3D4u);
    EXPECT_EQ(reader.Rest(), Bytes{0xFF});
}

TEST(FileHeaderTest, ShortInputThrowsArchiveException) {
    Bytes bytes = sample_files::RdxpHeader();
    bytes.resize(40);
    FileReader reader(bytes);
    FileHeader header;
    EXPECT_THROW(header.Load(reader), mirl::tools::archive_exception);
}

} // namespace
