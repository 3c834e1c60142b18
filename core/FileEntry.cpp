#include "core/FileEntry.h"

namespace qm {

std::shared_ptr<FileEntry> FileEntry::fromJson(const kit::Decoder& d)
{
    auto e = std::make_shared<FileEntry>();
    e->language = d.decode<std::string>("Language");
    e->possibleLanguages = d.decode<std::vector<std::string>>("PossibleLanguages");
    e->filename = d.decode<std::string>("Filename");
    e->fileExtension = d.decode<std::string>("Extension");
    e->location = d.decode<std::string>("Location");
    e->symlocation = d.decode<std::string>("Symlocation");
    e->bytes = d.decode<std::int64_t>("Bytes");
    e->lines = d.decode<std::int64_t>("Lines");
    e->code = d.decode<std::int64_t>("Code");
    e->comment = d.decode<std::int64_t>("Comment");
    e->blank = d.decode<std::int64_t>("Blank");
    e->complexity = d.decode<std::int64_t>("Complexity");
    e->weightedComplexity = d.decode<std::int64_t>("WeightedComplexity");
    e->binary = d.decode<bool>("Binary");
    e->minified = d.decode<bool>("Minified");
    e->generated = d.decode<bool>("Generated");
    e->endPoint = d.decode<std::int64_t>("EndPoint");
    return e;
}

nlohmann::ordered_json FileEntry::toJson() const
{
    return {{"Language", language},
            {"PossibleLanguages", possibleLanguages},
            {"Filename", filename},
            {"Extension", fileExtension},
            {"Location", location},
            {"Symlocation", symlocation},
            {"Bytes", bytes},
            {"Lines", lines},
            {"Code", code},
            {"Comment", comment},
            {"Blank", blank},
            {"Complexity", complexity},
            {"WeightedComplexity", weightedComplexity},
            {"Binary", binary},
            {"Minified", minified},
            {"Generated", generated},
            {"EndPoint", endPoint}};
}

} // namespace qm
