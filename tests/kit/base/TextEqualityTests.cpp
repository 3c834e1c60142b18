#include "kit/base/TextEquality.h"

#include <gtest/gtest.h>

namespace {

struct EquivalenceCase {
    const char* a;
    const char* b;
    bool equivalent;
};

// Precomposed and decomposed forms of one letter are the same text; a
// different accent, a different letter or a different length are not.
TEST(TextEquality, ComparesCanonicalForms)
{
    const EquivalenceCase cases[] = {
        {"Revenue", "Revenue", true},
        {"caf\xC3\xA9", "cafe\xCC\x81", true},          // é as U+00E9 and as e + U+0301
        {"\xC3\x85ngstr\xC3\xB6m", "A\xCC\x8Angstro\xCC\x88m", true}, // Å and ö both ways
        {"caf\xC3\xA9", "cafe\xCC\x80", false},         // acute against grave
        {"cafe", "caf\xC3\xA9", false},
        {"", "", true},
        {"Target", "Target ", false},
    };
    for (const EquivalenceCase& c : cases)
        EXPECT_EQ(kit::canonicallyEquivalent(c.a, c.b), c.equivalent) << c.a << " / " << c.b;
}

} // namespace
