#include "core/LanguageEntry.h"

namespace qm {

std::shared_ptr<LanguageEntry> LanguageEntry::fromJson(const kit::Decoder& d)
{
    auto e = std::make_shared<LanguageEntry>();
    e->name = d.decode<std::string>("Name");
    e->bytes = d.decode<std::int64_t>("Bytes");
    e->codeBytes = d.decode<std::int64_t>("CodeBytes");
    e->lines = d.decode<std::int64_t>("Lines");
    e->code = d.decode<std::int64_t>("Code");
    e->comment = d.decode<std::int64_t>("Comment");
    e->blank = d.decode<std::int64_t>("Blank");
    e->complexity = d.decode<std::int64_t>("Complexity");
    e->count = d.decode<std::int64_t>("Count");
    e->weightedComplexity = d.decode<std::int64_t>("WeightedComplexity");
    e->files = d.decode<std::vector<std::shared_ptr<FileEntry>>>("Files");
    return e;
}

nlohmann::ordered_json LanguageEntry::toJson() const
{
    auto fileList = nlohmann::ordered_json::array();
    for (const auto& file : files)
        fileList.push_back(file->toJson());
    return {{"Name", name},
            {"Bytes", bytes},
            {"CodeBytes", codeBytes},
            {"Lines", lines},
            {"Code", code},
            {"Comment", comment},
            {"Blank", blank},
            {"Complexity", complexity},
            {"Count", count},
            {"WeightedComplexity", weightedComplexity},
            {"Files", fileList}};
}

LanguageList decodeCounterOutput(std::string_view text)
{
    return kit::decodeJson<LanguageList>(text);
}

} // namespace qm
