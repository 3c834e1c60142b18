#include "kit/base/Date.h"
#include "kit/base/Hashing.h"
#include "kit/base/Random.h"
#include "kit/base/UUID.h"
#include "kit/base/VectorMath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

TEST(UUIDTest, FreshVersionFourValuesThatRoundTripThroughTheirText)
{
    kit::UUID a;
    kit::UUID b;
    EXPECT_NE(a, b);
    kit::UUID copy = a;
    EXPECT_EQ(copy, a);
    EXPECT_EQ(std::hash<kit::UUID>{}(copy), std::hash<kit::UUID>{}(a));

    std::string text = a.uuidString();
    ASSERT_EQ(text.size(), 36u);
    EXPECT_EQ(text[14], '4');
    EXPECT_NE(std::string("89AB").find(text[19]), std::string::npos);
    EXPECT_EQ(text.find_first_of("abcdef"), std::string::npos);
    EXPECT_EQ(kit::UUID::fromString(text), a);

    auto lower = kit::UUID::fromString("e621e1f8-c36c-495a-93fc-0c247a3e6e5f");
    ASSERT_TRUE(lower);
    EXPECT_EQ(lower->uuidString(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    for (const char* bad : {"", "E621E1F8C36C495A93FC0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5G",
                            "E621E1F8-C36C-495A-93FC_0C247A3E6E5F"})
        EXPECT_FALSE(kit::UUID::fromString(bad)) << bad;

    std::set<kit::UUID> ordered{a, b, copy};
    EXPECT_EQ(ordered.size(), 2u);
}

TEST(DateTest, CountsFromTheReferenceDateAndHashesZerosAlike)
{
    EXPECT_EQ(kit::Date::fromUnixTime(978307200).secondsSinceReferenceDate, 0);
    EXPECT_EQ(kit::Date{10}.unixTime(), 978307210);
    EXPECT_GT(kit::Date::now().secondsSinceReferenceDate, 7e8); // after 2023
    EXPECT_EQ(kit::Date{0.0}, kit::Date{-0.0});
    EXPECT_EQ(std::hash<kit::Date>{}(kit::Date{0.0}), std::hash<kit::Date>{}(kit::Date{-0.0}));
    EXPECT_LT(kit::Date{1}, kit::Date{2});
}

TEST(RandomTest, SeededDrawsRepeatAndStayInRange)
{
    kit::Random::seed(42);
    std::vector<double> first;
    for (int i = 0; i < 5; ++i)
        first.push_back(kit::Random::uniform(-1, 1));
    kit::Random::seed(42);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(kit::Random::uniform(-1, 1), first[i]);

    std::vector<int> counts(3);
    for (int i = 0; i < 3000; ++i) {
        double x = kit::Random::uniform(2, 3);
        EXPECT_GE(x, 2);
        EXPECT_LE(x, 3);
        auto k = kit::Random::uniformInt(3);
        ASSERT_LT(k, 3u);
        ++counts[k];
    }
    for (int c : counts)
        EXPECT_GT(c, 800); // each value turns up about a third of the time
    EXPECT_EQ(kit::Random::uniform(5, 5), 5);
    EXPECT_EQ(kit::Random::uniformInt(1), 0u);
    EXPECT_EQ(kit::Random::uniformInt(0), 0u);
    kit::Random::reseedFromSystem();
}

TEST(VectorMathTest, ElementWiseOperationsFollowTheLibraryConventions)
{
    using kit::vec::Vector;
    EXPECT_EQ(kit::vec::sub({1, 1}, {1, 2, 3}), (Vector{0, 1}));
    EXPECT_EQ(kit::vec::add({1, 2, 3}, {1, 1}), (Vector{2, 3}));
    EXPECT_EQ(kit::vec::mul({3, 4}, {3, 4}), (Vector{9, 16}));
    EXPECT_EQ(kit::vec::smul({1, -2}, 0.5), (Vector{0.5, -1}));
    EXPECT_NEAR(kit::vec::sum(kit::vec::mul({3, 4}, {3, 4})), 25, 25e-12);
    EXPECT_EQ(kit::vec::sum({}), 0);
    EXPECT_EQ(kit::vec::ramp(0, 4, 2), (Vector{0, 4}));
    EXPECT_EQ(kit::vec::ramp(7, 9, 1), (Vector{7}));
    EXPECT_EQ(kit::vec::ramp(0, 1, 5), (Vector{0, 0.25, 0.5, 0.75, 1}));
}

TEST(VectorMathTest, InterpResamplesPiecewiseLinearly)
{
    using kit::vec::Vector;
    EXPECT_EQ(kit::vec::interp({0, 10}, {0, 4}, 5), (Vector{0, 2.5, 5, 7.5, 10}));
    // Values before the first position and after the last hold the end values.
    EXPECT_EQ(kit::vec::interp({1, 3, 5}, {1.5, 2.5, 3}, 6), (Vector{1, 1, 2, 5, 5, 5}));
    // Three values spread over seven positions, as a point cloud is resampled.
    auto positions = kit::vec::ramp(0, 6, 3);
    EXPECT_EQ(kit::vec::interp({0, 30, 0}, positions, 7), (Vector{0, 10, 20, 30, 20, 10, 0}));
    // Positions that are not numbers read nothing past the end of the lists.
    EXPECT_EQ(kit::vec::interp({1, 2, 3}, {0, std::nan(""), 2}, 3).size(), 3u);
}

} // namespace

TEST(HashValueTest, AgreesWithEqualityForListsOptionalsAndDoubles)
{
    using kit::hashValue;
    static_assert(kit::Hashable<std::vector<std::optional<double>>> &&
                  !kit::Hashable<std::vector<std::pair<int, int>>>);
    EXPECT_EQ(hashValue(0.0), hashValue(-0.0));
    EXPECT_EQ(hashValue(std::vector<double>{1, -0.0}), hashValue(std::vector<double>{1, 0}));
    EXPECT_EQ(hashValue(std::string("ab")), std::hash<std::string>{}("ab"));
    // Values that differ hash apart (these few, at least).
    const std::vector<std::size_t> apart{
        hashValue(std::vector<double>{}),     hashValue(std::vector<double>{0}),
        hashValue(std::vector<double>{0, 0}), hashValue(std::vector<double>{1, 2}),
        hashValue(std::vector<double>{2, 1}), hashValue(std::optional<int>{}),
        hashValue(std::optional<int>{0}),     hashValue(std::optional<int>{1}),
    };
    EXPECT_EQ(std::set<std::size_t>(apart.begin(), apart.end()).size(), apart.size());
}
