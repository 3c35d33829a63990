#include "detector/7x80/rdxp_file.h"
#include "detector/testing/sample_files.h"

#include <gtest/gtest.h>

namespace {

namespace sample_files = detector_testing::sample_files;
using mirl::acquisition::Bytes;
using mirl::acquisition::vk7x80::RDXPFile;

TEST(RDXPFileTest, StoredFileIs153BytesWithChecksum0xEC) {
    const Bytes bytes = sample_files::StoredRdxp();
    ASSERT_EQ(bytes.size(), 153u);
    EXPECT_EQ(bytes[152], 0xEC);
    EXPECT_EQ(RDXPFile::Checksum(bytes, 152), 0xEC);
}

TEST(RDXPFileTest, DecodesCountRecordsAndChecksum) {
    RDXPFile file;
    file.Decode(sample_files::StoredRdxp());
    EXPECT_EQ(file.header.kind, 0x0A);
    EXPECT_EQ(file.header.length, 153u);
    ASSERT_EQ(file.count, 18);
    EXPECT_EQ(file.ChecksumOffset(), 152u);
    EXPECT_EQ(file.checksum, 0xEC);
    const auto registers = sample_files::StoredRegisters();
    for (std::size_t i = 0; i < registers.size(); ++i) {
        EXPECT_EQ(file.records[i].id, registers[i].id) << i;
        EXPECT_EQ(file.records[i].value, registers[i].value) << i;
        EXPECT_EQ(file.records[i].spare, 0) << i;
    }
    EXPECT_TRUE(file.trailer.empty());
}

TEST(RDXPFileTest, EncodesBackTheSameBytesTrailerIncluded) {
    Bytes original = sample_files::StoredRdxp();
    original[70] = 0x33;     // a reserved byte
    original[80 + 3] = 0x44; // a spare byte
    original.insert(original.end(), {0x01, 0x02, 0x03});
    RDXPFile file;
    file.Decode(original);
    EXPECT_EQ(file.trailer, (Bytes{0x01, 0x02, 0x03}));
    EXPECT_EQ(file.Encode(), original);
}

TEST(RDXPFileTest, RecordIdsAreSixteenBitLittleEndian) {
    const Bytes bytes = sample_files::Rdxp({{0x1234, 9}});
    RDXPFile file;
    file.Decode(bytes);
    ASSERT_EQ(file.count, 1);
    EXPECT_EQ(file.records[0].id, 0x1234);
    EXPECT_EQ(bytes[80], 0x34);
    EXPECT_EQ(bytes[81], 0x12);
}

TEST(RDXPFileTest, CountZeroDecodesWithoutRecords) {
    RDXPFile file;
    file.Decode(sample_files::Rdxp({}));
    EXPECT_EQ(file.count, 0);
    EXPECT_EQ(file.ChecksumOffset(), 80u);
    EXPECT_EQ(file.Encode(), sample_files::Rdxp({}));
}

TEST(RDXPFileTest, TruncatedFileThrowsAndLeavesTheObjectAsItWas) {
    RDXPFile file;
    file.Decode(sample_files::StoredRdxp());
    Bytes truncated = sample_files::Rdxp({{0x40, 1}, {0x41, 2}});
    truncated.pop_back(); // no checksum byte
    EXPECT_THROW(file.Decode(truncated), mirl::tools::archive_exception);
    EXPECT_EQ(file.count, 18);
    EXPECT_EQ(file.Encode(), sample_files::StoredRdxp());
}

} // namespace
