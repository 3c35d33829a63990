// The shared field reader and writer of the detector files, and their header.
//
// Input: one byte N, then N operation bytes, then the data the operations read.
// An operation byte chooses the field: op % 5 is a byte, a 16-bit word, a
// 32-bit word, op / 8 raw bytes or op / 8 characters.
//
// Properties: a field that fits in the remaining data is read as its
// little-endian value and counted in Consumed(); one that does not fit throws
// archive_exception (and ASan sees any read past the data); Rest() is what
// follows the fields read; writing the values read gives back the bytes they
// came from. The 64-byte header loads from any data of at least 64 bytes,
// saves back to the same bytes, and throws on anything shorter.

#include "detector/files/file_header.h"
#include "detector/files/file_reader.h"
#include "detector/files/file_writer.h"
#include "fuzz/fuzz_support.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using mirl::acquisition::Bytes;
using mirl::acquisition::FileHeader;
using mirl::acquisition::FileReader;
using mirl::acquisition::FileWriter;
using mirl::tools::archive_exception;

namespace {

enum class Field { Byte, Word16, Word32, Raw, Chars };

struct Operation {
    Field field;
    std::size_t width;
};

Operation Decode(std::uint8_t op) {
    const std::size_t count = op / 8;
    switch (op % 5) {
    case 0:
        return {Field::Byte, 1};
    case 1:
        return {Field::Word16, 2};
    case 2:
        return {Field::Word32, 4};
    case 3:
        return {Field::Raw, count};
    default:
        return {Field::Chars, count};
    }
}

std::uint64_t LittleEndian(const Bytes& bytes, std::size_t at, std::size_t width) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value |= std::uint64_t(bytes[at + i]) << (8 * i);
    }
    return value;
}

// The value or bytes one successful read produced, to be written back.
struct ReadField {
    Operation operation;
    std::uint32_t number = 0;
    std::vector<std::uint8_t> raw;
};

void CheckFields(const std::vector<std::uint8_t>& ops, const Bytes& data) {
    FileReader reader(data);
    std::vector<ReadField> read;
    std::size_t expected = 0;
    bool stopped = false;
    for (const std::uint8_t op : ops) {
        const Operation operation = Decode(op);
        const bool fits = expected + operation.width <= data.size();
        ReadField field{operation, 0, {}};
        try {
            switch (operation.field) {
            case Field::Byte: {
                std::uint8_t value = 0;
                reader.GetByte(value);
                field.number = value;
                break;
            }
            case Field::Word16: {
                std::uint16_t value = 0;
                reader.GetUInt16(value);
                field.number = value;
                break;
            }
            case Field::Word32: {
                std::uint32_t value = 0;
                reader.GetUInt32(value);
                field.number = value;
                break;
            }
            case Field::Raw:
                field.raw.resize(operation.width);
                reader.GetBytes(field.raw.data(), field.raw.size());
                break;
            case Field::Chars: {
                std::vector<char> chars(operation.width);
                reader.GetChars(chars.data(), chars.size());
                field.raw.assign(chars.begin(), chars.end());
                break;
            }
            }
        } catch (const archive_exception&) {
            FUZZ_REQUIRE(!fits, "a field that fits in the data failed to read");
            stopped = true;
            break;
        }
        FUZZ_REQUIRE(fits, "a field longer than the remaining data was read without an error");
        if (operation.field == Field::Raw || operation.field == Field::Chars) {
            FUZZ_REQUIRE(
                Bytes(field.raw.begin(), field.raw.end()) ==
                    Bytes(data.begin() + static_cast<std::ptrdiff_t>(expected),
                          data.begin() + static_cast<std::ptrdiff_t>(expected + operation.width)),
                "raw bytes read differ from the data");
        } else {
            FUZZ_REQUIRE(field.number == LittleEndian(data, expected, operation.width),
                         "a number read is not the little-endian value of its bytes");
        }
        expected += operation.width;
        FUZZ_REQUIRE(reader.Consumed() == expected, "Consumed() is not the width of the fields");
        read.push_back(field);
    }
    if (!stopped) {
        FUZZ_REQUIRE(reader.Rest() ==
                         Bytes(data.begin() + static_cast<std::ptrdiff_t>(expected), data.end()),
                     "Rest() is not the data after the fields read");
    }

    Bytes written;
    FileWriter writer(written);
    for (const ReadField& field : read) {
        switch (field.operation.field) {
        case Field::Byte:
            writer.PutByte(static_cast<std::uint8_t>(field.number));
            break;
        case Field::Word16:
            writer.PutUInt16(static_cast<std::uint16_t>(field.number));
            break;
        case Field::Word32:
            writer.PutUInt32(field.number);
            break;
        case Field::Raw:
            writer.PutBytes(field.raw.data(), field.raw.size());
            break;
        case Field::Chars: {
            const std::vector<char> chars(field.raw.begin(), field.raw.end());
            writer.PutChars(chars.data(), chars.size());
            break;
        }
        }
    }
    writer.Flush();
    FUZZ_REQUIRE(written ==
                     Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(expected)),
                 "writing the fields read does not give back their bytes");
}

void CheckHeader(const Bytes& data) {
    FileReader reader(data);
    FileHeader header;
    try {
        header.Load(reader);
    } catch (const archive_exception&) {
        FUZZ_REQUIRE(data.size() < FileHeader::Size, "a header of 64 bytes or more did not load");
        return;
    }
    FUZZ_REQUIRE(data.size() >= FileHeader::Size, "a header shorter than 64 bytes loaded");
    FUZZ_REQUIRE(reader.Consumed() == FileHeader::Size, "a header did not consume 64 bytes");
    FUZZ_REQUIRE(reader.Rest() == Bytes(data.begin() + FileHeader::Size, data.end()),
                 "the bytes after the header are not Rest()");
    Bytes saved;
    FileWriter writer(saved);
    header.Save(writer);
    writer.Flush();
    FUZZ_REQUIRE(saved == Bytes(data.begin(), data.begin() + FileHeader::Size),
                 "a header does not save back to the bytes it was loaded from");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::size_t count = data[0] < size - 1 ? data[0] : size - 1;
    const std::vector<std::uint8_t> ops(data + 1, data + 1 + count);
    // Exactly as long as the data, so that ASan sees a read one byte too far.
    const Bytes fields(data + 1 + count, data + size);
    CheckFields(ops, fields);
    const Bytes whole(data, data + size);
    CheckHeader(whole);
    return 0;
}
