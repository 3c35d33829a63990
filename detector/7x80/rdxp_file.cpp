#include "detector/7x80/rdxp_file.h"

#include <stdexcept>

namespace mirl {
namespace acquisition {
namespace vk7x80 {

void RDXPFile::Decode(const Bytes& bytes) {
    RDXPFile decoded;
    FileReader reader(bytes);
    decoded.header.Load(reader);
    reader.GetByte(decoded.count);
    reader.GetBytes(decoded.reserved.data(), decoded.reserved.size());
    decoded.records.reset(new RecordData[decoded.count]);
    for (std::size_t i = 0; i < decoded.count; ++i) {
        decoded.records[i].Load(reader);
    }
    reader.GetByte(decoded.checksum);
    decoded.trailer = reader.Rest();
    *this = decoded;
}

Bytes RDXPFile::Encode() const {
    if (count != 0 && !records) {
        throw mirl::tools::archive_exception("RDXPFile: count says records but none are held");
    }
    Bytes bytes;
    {
        FileWriter writer(bytes);
        header.Save(writer);
        writer.PutByte(count);
        writer.PutBytes(reserved.data(), reserved.size());
        for (std::size_t i = 0; i < count; ++i) {
            records[i].Save(writer);
        }
        writer.PutByte(checksum);
        writer.PutBytes(trailer.data(), trailer.size());
        writer.Flush();
    }
    return bytes;
}

std::uint8_t RDXPFile::Checksum(const Bytes& bytes, std::size_t end) {
    if (end > bytes.size()) {
        throw std::out_of_range("RDXPFile: checksum range beyond the file");
    }
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < end; ++i) {
        sum ^= bytes[i];
    }
    return sum;
}

} // namespace vk7x80
} // namespace acquisition
} // namespace mirl
