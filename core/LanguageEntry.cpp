#include "core/LanguageEntry.h"

namespace qm {

LanguageList decodeCounterOutput(std::string_view text)
{
    return kit::decodeJson<LanguageList>(text);
}

} // namespace qm
