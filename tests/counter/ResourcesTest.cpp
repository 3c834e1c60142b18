// The bundle's language resources must match the counter's language table.

#include "Fixture.h"

#include "counter/lang/Language.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <map>
#include <set>

using nlohmann::json;
using namespace qm::counter;

namespace {

json resource(const std::string& name)
{
    return json::parse(test::readFile(QM_SOURCE_DIR "/resources/" + name));
}

struct Rgb {
    double r, g, b;
};

Rgb parseColour(const std::string& text)
{
    auto channel = [&](std::size_t at) { return std::stoi(text.substr(at, 2), nullptr, 16) / 255.0; };
    return {channel(1), channel(3), channel(5)};
}

double linear(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Rgb c)
{
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

// CIE L*a*b* under D65.
std::array<double, 3> lab(Rgb c)
{
    const double r = linear(c.r), g = linear(c.g), b = linear(c.b);
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

// What the table says a language's counts take into account.
std::vector<json> expectedKinds(const Language& l)
{
    auto kind = [](const char* content, bool extension, bool recognize) {
        return json{{"content", content}, {"extension", extension}, {"recognize", recognize}};
    };
    std::vector<json> kinds{kind("Code", false, true)};
    if (!l.lineComments.empty() || !l.blockComments.empty() || !l.lineStartComments.empty() ||
        !l.firstTextComments.empty() || !l.longBracketComment.empty())
        kinds.push_back(kind("Comments", false, true));
    if (l.nestedComments)
        kinds.push_back(kind("Nested comments", true, true));
    if (!l.strings.empty() || l.longBracketStrings)
        kinds.push_back(kind("Strings", false, true));
    if (l.longBracketStrings ||
        std::any_of(l.strings.begin(), l.strings.end(), [](const StringSyntax& s) { return s.multiline; }))
        kinds.push_back(kind("Multi-line strings", true, true));
    if (std::any_of(l.strings.begin(), l.strings.end(), [](const StringSyntax& s) { return s.docstring; }))
        kinds.push_back(kind("Docstrings", true, true));
    if (l.rawStrings != RawStrings::None)
        kinds.push_back(kind("Raw strings", true, true));
    if (l.hereDocuments != HereDocuments::None)
        kinds.push_back(kind("Here documents", true, true));
    if (l.regexLiterals)
        kinds.push_back(kind("Regular expressions", true, true));
    if (l.templateLiterals)
        kinds.push_back(kind("Template literals", true, true));
    if (l.quoteOperators || l.percentLiterals)
        kinds.push_back(kind("Quote-like literals", true, true));
    for (const auto& unread : unreadContent())
        if (unread.language == l.name)
            kinds.push_back(kind(unread.content.c_str(), true, false));
    return kinds;
}

} // namespace

TEST(LanguageResources, EveryLanguageHasOneDistinctReadableColour)
{
    const json specs = resource("langspecs.json");
    ASSERT_TRUE(specs.is_object());
    std::set<std::string> names;
    for (const auto& l : languages())
        names.insert(l.name);
    EXPECT_EQ(names.size(), languages().size()) << "language names must be unique";
    EXPECT_GE(names.size(), 60u);

    std::set<std::string> listed;
    std::vector<std::pair<std::string, Rgb>> colours;
    for (const auto& [name, spec] : specs.items()) {
        listed.insert(name);
        ASSERT_TRUE(spec.is_object()) << name;
        for (const auto& [key, value] : spec.items())
            EXPECT_TRUE(value.is_string()) << name << "." << key;
        ASSERT_TRUE(spec.contains("color")) << name;
        const std::string colour = spec["color"];
        ASSERT_EQ(colour.size(), 7u) << name;
        ASSERT_EQ(colour[0], '#') << name;
        ASSERT_EQ(colour.find_first_not_of("0123456789ABCDEF", 1), std::string::npos) << name << " " << colour;
        colours.emplace_back(name, parseColour(colour));
    }
    EXPECT_EQ(listed, names);

    for (std::size_t i = 0; i < colours.size(); ++i) {
        const double l = luminance(colours[i].second);
        // Contrast of at least 2.5 against white and against black.
        EXPECT_GE(1.05 / (l + 0.05), 2.5) << colours[i].first << " is too light";
        EXPECT_GE((l + 0.05) / 0.05, 2.5) << colours[i].first << " is too dark";
        for (std::size_t j = i + 1; j < colours.size(); ++j) {
            const auto a = lab(colours[i].second);
            const auto b = lab(colours[j].second);
            const double distance = std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
            EXPECT_GE(distance, 15.0) << colours[i].first << " and " << colours[j].first << " look alike";
        }
    }
}

TEST(LanguageResources, SupportedListDescribesEachLanguageOfTheTable)
{
    const json supported = resource("supported.json");
    ASSERT_TRUE(supported.is_array());
    ASSERT_EQ(supported.size(), languages().size());
    for (std::size_t i = 0; i < languages().size(); ++i) {
        const Language& l = languages()[i];
        const json& entry = supported[i];
        EXPECT_EQ(entry["lang"], l.name);
        ASSERT_TRUE(entry["supported"].is_array()) << l.name;
        EXPECT_EQ(std::vector<json>(entry["supported"].begin(), entry["supported"].end()), expectedKinds(l)) << l.name;
    }
    for (const auto& unread : unreadContent())
        EXPECT_GE(languageIndex(unread.language), 0) << unread.language;
}

TEST(LanguageResources, BuildCopiesThemIntoTheBundle)
{
    for (const char* name : {"langspecs.json", "supported.json"})
        EXPECT_EQ(test::readFile(std::string(QM_BUNDLE_DIR "/share/quillmarrow/") + name),
                  test::readFile(QM_SOURCE_DIR "/resources/" + std::string(name)));
}
