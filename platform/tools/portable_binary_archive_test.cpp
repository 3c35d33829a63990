#include "platform/tools/portable_binary_archive.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace {

using mirl::tools::archive_exception;
using mirl::tools::portable_binary_iarchive;
using mirl::tools::portable_binary_oarchive;
using ::testing::HasSubstr;

const unsigned DetectorFlags = 0x8001;

std::vector<unsigned char> Bytes(const std::string& text) {
    return std::vector<unsigned char>(text.begin(), text.end());
}

std::string Text(const std::vector<unsigned char>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The field mix of the detector files: a byte, 16-bit and 32-bit unsigned fields.
struct Fields {
    unsigned char byte;
    std::uint16_t half;
    std::uint32_t word;
};

std::string Write(const Fields& fields, unsigned flags = DetectorFlags) {
    std::ostringstream stream;
    portable_binary_oarchive archive(stream, flags);
    archive.save(fields.byte);
    archive.save_impl(fields.half, 2);
    archive.save_impl(fields.word, 4);
    return stream.str();
}

Fields Read(const std::string& bytes, unsigned flags = DetectorFlags) {
    std::istringstream stream(bytes);
    portable_binary_iarchive archive(stream, flags);
    Fields fields{};
    std::int64_t value = 0;
    archive.load(fields.byte);
    archive.load_impl(value, 2);
    fields.half = static_cast<std::uint16_t>(value);
    EXPECT_EQ(fields.half, value) << "16-bit field read with a sign or extra bits";
    archive.load_impl(value, 4);
    fields.word = static_cast<std::uint32_t>(value);
    EXPECT_EQ(fields.word, value) << "32-bit field read with a sign or extra bits";
    EXPECT_EQ(std::char_traits<char>::eof(), stream.peek()) << "bytes left unread";
    return fields;
}

TEST(PortableBinaryArchive, WritesExactLittleEndianFieldsAndNothingElse) {
    const struct {
        Fields fields;
        std::vector<unsigned char> bytes;
    } cases[] = {
        {{0x00, 0x0000, 0x00000000u}, {0, 0, 0, 0, 0, 0, 0}},
        {{0x01, 0x2711, 0x0A002584u}, {0x01, 0x11, 0x27, 0x84, 0x25, 0x00, 0x0A}},
        {{0xFF, 0xFFFF, 0xFFFFFFFFu}, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {{0x80, 0x8000, 0x80000000u}, {0x80, 0x00, 0x80, 0x00, 0x00, 0x00, 0x80}},
        {{0x7F, 0x00FF, 0x01020304u}, {0x7F, 0xFF, 0x00, 0x04, 0x03, 0x02, 0x01}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Text(c.bytes).size());
        const std::string written = Write(c.fields);
        EXPECT_EQ(c.bytes, Bytes(written));

        const Fields read = Read(written);
        EXPECT_EQ(c.fields.byte, read.byte);
        EXPECT_EQ(c.fields.half, read.half);
        EXPECT_EQ(c.fields.word, read.word);
    }
}

TEST(PortableBinaryArchive, BigEndianFlagReversesTheFieldBytes) {
    const Fields fields{0x01, 0x2711, 0x0A002584u};
    const unsigned bigEndian = 0x4001;
    const std::string written = Write(fields, bigEndian);
    EXPECT_EQ(Bytes(std::string("\x01\x27\x11\x0A\x00\x25\x84", 7)), Bytes(written));
    const Fields read = Read(written, bigEndian);
    EXPECT_EQ(0x2711, read.half);
    EXPECT_EQ(0x0A002584u, read.word);
}

TEST(PortableBinaryArchive, SixtyFourBitFieldRoundTrips) {
    std::ostringstream out;
    portable_binary_oarchive writer(out, DetectorFlags);
    writer.save_impl(0x0102030405060708LL, 8);
    EXPECT_EQ(Bytes(std::string("\x08\x07\x06\x05\x04\x03\x02\x01", 8)), Bytes(out.str()));

    std::istringstream in(out.str());
    portable_binary_iarchive reader(in, DetectorFlags);
    std::int64_t value = 0;
    reader.load_impl(value, 8);
    EXPECT_EQ(0x0102030405060708LL, value);
}

TEST(PortableBinaryArchive, ShortInputThrowsWithAClearText) {
    const struct {
        const char* name;
        std::string bytes;
        int width; // 0 for load(byte)
    } cases[] = {
        {"byte from nothing", "", 0},
        {"16 bits from nothing", "", 2},
        {"16 bits from one byte", "\x01", 2},
        {"32 bits from nothing", "", 4},
        {"32 bits from three bytes", std::string("\x01\x02\x03", 3), 4},
        {"64 bits from seven bytes", std::string(7, '\x05'), 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::istringstream stream(c.bytes);
        portable_binary_iarchive archive(stream, DetectorFlags);
        try {
            if (c.width == 0) {
                unsigned char byte = 0;
                archive.load(byte);
            } else {
                std::int64_t value = 0;
                archive.load_impl(value, static_cast<char>(c.width));
            }
            ADD_FAILURE() << "no exception";
        } catch (const archive_exception& e) {
            const std::string text = e.what();
            // The text says what was being read.
            EXPECT_THAT(text, HasSubstr(std::to_string(c.width == 0 ? 1 : c.width) + "-byte"));
        }
    }
}

TEST(PortableBinaryArchive, ReadingPastTheLastFieldThrows) {
    const std::string written = Write({0x01, 0x0203, 0x04050607u});
    std::istringstream stream(written);
    portable_binary_iarchive archive(stream, DetectorFlags);
    unsigned char byte = 0;
    std::int64_t value = 0;
    archive.load(byte);
    archive.load_impl(value, 2);
    archive.load_impl(value, 4);
    EXPECT_THROW(archive.load(byte), archive_exception);
    EXPECT_THROW(archive.load_impl(value, 2), archive_exception);
}

TEST(PortableBinaryArchive, ValueThatDoesNotFitIsRefusedNotTruncated) {
    const struct {
        std::int64_t value;
        char width;
    } cases[] = {{0x10000, 2}, {0x100000000LL, 4}, {0x100, 1}, {-0x8001, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        std::ostringstream stream;
        portable_binary_oarchive archive(stream, DetectorFlags);
        EXPECT_THROW(archive.save_impl(c.value, c.width), archive_exception);
        EXPECT_EQ("", stream.str());
    }
}

TEST(PortableBinaryArchive, StreamAndUsageErrorsThrow) {
    std::ostringstream broken;
    broken.setstate(std::ios::badbit);
    portable_binary_oarchive writer(broken, DetectorFlags);
    EXPECT_THROW(writer.save(1), archive_exception);
    EXPECT_THROW(writer.save_impl(1, 4), archive_exception);

    std::ostringstream out;
    portable_binary_oarchive widthless(out, DetectorFlags);
    EXPECT_THROW(widthless.save_impl(1, 3), archive_exception);
    EXPECT_EQ("", out.str());

    std::istringstream in(std::string(8, '\0'));
    portable_binary_iarchive reader(in, DetectorFlags);
    std::int64_t value = 0;
    EXPECT_THROW(reader.load_impl(value, 0), archive_exception);

    // Both byte orders at once, or an archive with a header, are refused.
    std::istringstream any;
    EXPECT_THROW(portable_binary_iarchive(any, 0xC001), archive_exception);
    EXPECT_THROW(portable_binary_oarchive(out, 0x8000), archive_exception);
}

} // namespace
