#include "app/screens/EntryTable.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

struct Row {
    std::string name;
    std::int64_t size;
};
using Rows = std::vector<std::shared_ptr<Row>>;
using Names = std::vector<std::string>;

const std::vector<TableColumn<Row>> kColumns = {{QStringLiteral("Name"),
                                                 [](const Row& r) -> SortValue { return r.name; }},
                                                {QStringLiteral("Size"),
                                                 [](const Row& r) -> SortValue { return r.size; }}};

Rows rows(std::initializer_list<Row> list)
{
    Rows out;
    for (const Row& r : list)
        out.push_back(std::make_shared<Row>(r));
    return out;
}

Names names(const Rows& list)
{
    Names out;
    for (const auto& r : list)
        out.push_back(r->name);
    return out;
}

TEST(EntryTable, SortsStablyByCodePointsThenByLaterKeys)
{
    auto list = rows({{"zeta", 1}, {"Beta", 2}, {"alpha", 2}, {"Zulu", 1}, {"beta", 2}});
    sortEntries(list, {{0, false}}, kColumns);
    EXPECT_EQ(names(list), (Names{"Beta", "Zulu", "alpha", "beta", "zeta"}));
    // Equal sizes keep their previous order; a second key breaks ties.
    sortEntries(list, {{1, true}}, kColumns);
    EXPECT_EQ(names(list), (Names{"Beta", "alpha", "beta", "Zulu", "zeta"}));
    sortEntries(list, {{1, false}, {0, true}}, kColumns);
    EXPECT_EQ(names(list), (Names{"zeta", "Zulu", "beta", "alpha", "Beta"}));
    // Descriptors of columns that do not exist are passed over.
    sortEntries(list, {{7, false}}, kColumns);
    EXPECT_EQ(names(list), (Names{"zeta", "Zulu", "beta", "alpha", "Beta"}));

    // A header click leads with its column, or flips it when it already leads.
    EXPECT_EQ(nextSortOrder({{1, true}}, 0), (SortOrder{{0, false}, {1, true}}));
    EXPECT_EQ(nextSortOrder({{0, false}, {1, true}}, 0), (SortOrder{{0, true}, {1, true}}));
    EXPECT_EQ(nextSortOrder({{0, true}, {1, true}}, 1), (SortOrder{{1, false}, {0, true}}));
}

TEST(EntryTable, SearchesTextIgnoringCase)
{
    const auto list = rows({{"Markdown", 1}, {"C", 2}, {"Makefile", 3}});
    auto name = [](const Row& r) { return r.name; };
    EXPECT_EQ(names(filterEntries(list, QStringLiteral("mark"), name)), Names{"Markdown"});
    EXPECT_EQ(names(filterEntries(list, QStringLiteral("MARK"), name)), Names{"Markdown"});
    EXPECT_EQ(filterEntries(list, QString(), name).size(), 3u);
    EXPECT_TRUE(filterEntries(list, QStringLiteral("zzz"), name).empty());
}

} // namespace
} // namespace qm
