#include "detector/files/file_header.h"

namespace mirl {
namespace acquisition {

void FileHeader::Save(FileWriter& writer) const {
    writer.PutByte(kind);
    writer.PutByte(spare);
    writer.PutUInt32(length);
    writer.PutBytes(reserved.data(), reserved.size());
    writer.PutChars(name.data(), name.size());
    writer.PutChars(sizeText.data(), sizeText.size());
    writer.PutChars(dateText.data(), dateText.size());
    writer.PutChars(timeText.data(), timeText.size());
}

void FileHeader::Load(FileReader& reader) {
    reader.GetByte(kind);
    reader.GetByte(spare);
    reader.GetUInt32(length);
    reader.GetBytes(reserved.data(), reserved.size());
    reader.GetChars(name.data(), name.size());
    reader.GetChars(sizeText.data(), sizeText.size());
    reader.GetChars(dateText.data(), dateText.size());
    reader.GetChars(timeText.data(), timeText.size());
}

} // namespace acquisition
} // namespace mirl
