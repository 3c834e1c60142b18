#include "kit/base/TextEquality.h"

#include <QString>

namespace kit {

bool canonicallyEquivalent(std::string_view a, std::string_view b)
{
    if (a == b)
        return true;
    const auto decomposed = [](std::string_view text) {
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
            .normalized(QString::NormalizationForm_D);
    };
    return decomposed(a) == decomposed(b);
}

} // namespace kit
