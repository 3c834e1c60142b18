#pragma once

#include "core/RecordField.h"
#include "kit/base/Json.h"
#include "kit/base/ObservableObject.h"
#include "kit/base/UUID.h"

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace qm {

// One counted file of the counter's output.
class FileEntry : public kit::ObservableObject {
public:
    FileEntry() = default;
    explicit FileEntry(kit::UUID identity) : id(identity) {}

    kit::UUID id; // fresh for every decoded record
    std::string language;
    std::vector<std::string> possibleLanguages;
    std::string filename;
    std::string fileExtension;
    std::string location;
    std::string symlocation;
    std::int64_t bytes = 0;
    std::int64_t lines = 0;
    std::int64_t code = 0;
    std::int64_t comment = 0;
    std::int64_t blank = 0;
    std::int64_t complexity = 0;
    std::int64_t weightedComplexity = 0;
    bool binary = false;
    bool minified = false;
    bool generated = false;
    std::int64_t endPoint = 0;

    // The JSON key of every field but `id`, in coding order.
    static constexpr auto codingKeys()
    {
        return std::tuple{
            RecordField{"Language", &FileEntry::language},
            RecordField{"PossibleLanguages", &FileEntry::possibleLanguages},
            RecordField{"Filename", &FileEntry::filename},
            RecordField{"Extension", &FileEntry::fileExtension},
            RecordField{"Location", &FileEntry::location},
            RecordField{"Symlocation", &FileEntry::symlocation},
            RecordField{"Bytes", &FileEntry::bytes},
            RecordField{"Lines", &FileEntry::lines},
            RecordField{"Code", &FileEntry::code},
            RecordField{"Comment", &FileEntry::comment},
            RecordField{"Blank", &FileEntry::blank},
            RecordField{"Complexity", &FileEntry::complexity},
            RecordField{"WeightedComplexity", &FileEntry::weightedComplexity},
            RecordField{"Binary", &FileEntry::binary},
            RecordField{"Minified", &FileEntry::minified},
            RecordField{"Generated", &FileEntry::generated},
            RecordField{"EndPoint", &FileEntry::endPoint},
        };
    }

    static std::shared_ptr<FileEntry> fromJson(const kit::Decoder& d) { return decodeRecord<FileEntry>(d); }
    nlohmann::ordered_json toJson() const { return encodeRecord(*this); }
};

} // namespace qm
