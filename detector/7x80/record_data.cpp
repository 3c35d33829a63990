#include "detector/7x80/record_data.h"

namespace mirl {
namespace acquisition {
namespace vk7x80 {

void RecordData::Save(FileWriter& writer) const {
    writer.PutUInt16(id);
    writer.PutByte(value);
    writer.PutByte(spare);
}

void RecordData::Load(FileReader& reader) {
    reader.GetUInt16(id);
    reader.GetByte(value);
    reader.GetByte(spare);
}

} // namespace vk7x80
} // namespace acquisition
} // namespace mirl
