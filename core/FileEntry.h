#pragma once

#include "common/CounterOutputFormat.h"
#include "core/RecordField.h"
#include "kit/base/ObservableObject.h"
#include "kit/base/UUID.h"

#include <nlohmann/json_fwd.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace kit {
class Decoder;
}

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

    // The JSON key of every field but `id`, in coding order: the counter's.
    static constexpr auto codingKeys()
    {
        using K = counterOutput::FileKey;
        return std::tuple{
            RecordField{key(K::Language), &FileEntry::language},
            RecordField{key(K::PossibleLanguages), &FileEntry::possibleLanguages},
            RecordField{key(K::Filename), &FileEntry::filename},
            RecordField{key(K::Extension), &FileEntry::fileExtension},
            RecordField{key(K::Location), &FileEntry::location},
            RecordField{key(K::Symlocation), &FileEntry::symlocation},
            RecordField{key(K::Bytes), &FileEntry::bytes},
            RecordField{key(K::Lines), &FileEntry::lines},
            RecordField{key(K::Code), &FileEntry::code},
            RecordField{key(K::Comment), &FileEntry::comment},
            RecordField{key(K::Blank), &FileEntry::blank},
            RecordField{key(K::Complexity), &FileEntry::complexity},
            RecordField{key(K::WeightedComplexity), &FileEntry::weightedComplexity},
            RecordField{key(K::Binary), &FileEntry::binary},
            RecordField{key(K::Minified), &FileEntry::minified},
            RecordField{key(K::Generated), &FileEntry::generated},
            RecordField{key(K::EndPoint), &FileEntry::endPoint},
        };
    }

    static std::shared_ptr<FileEntry> fromJson(const kit::Decoder& d);
    nlohmann::ordered_json toJson() const;
};

static_assert(hasKeysInOrder<FileEntry>(counterOutput::fileKeys));

} // namespace qm
