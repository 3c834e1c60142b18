#include "core/FileEntry.h"

#include "core/RecordCoding.h"

namespace qm {

std::shared_ptr<FileEntry> FileEntry::fromJson(const kit::Decoder& d)
{
    return decodeRecord<FileEntry>(d);
}

nlohmann::ordered_json FileEntry::toJson() const
{
    return encodeRecord(*this);
}

} // namespace qm
