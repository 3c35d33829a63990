#include "detector/6080k/interface_file.h"

namespace mirl {
namespace acquisition {
namespace vk6080K {

void InterfaceFile::Decode(const Bytes& bytes) {
    InterfaceFile decoded;
    FileReader reader(bytes);
    decoded.header.Load(reader);
    reader.GetBytes(decoded.address.data(), decoded.address.size());
    decoded.trailer = reader.Rest();
    *this = decoded;
}

Bytes InterfaceFile::Encode() const {
    Bytes bytes;
    {
        FileWriter writer(bytes);
        header.Save(writer);
        writer.PutBytes(address.data(), address.size());
        writer.PutBytes(trailer.data(), trailer.size());
        writer.Flush();
    }
    return bytes;
}

} // namespace vk6080K
} // namespace acquisition
} // namespace mirl
