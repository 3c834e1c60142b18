#include "core/LanguageEntry.h"

#include "core/RecordCoding.h"

namespace qm {

std::shared_ptr<LanguageEntry> LanguageEntry::fromJson(const kit::Decoder& d)
{
    return decodeRecord<LanguageEntry>(d);
}

nlohmann::ordered_json LanguageEntry::toJson() const
{
    return encodeRecord(*this);
}

} // namespace qm
