#include "app/EntryTable.h"

#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

namespace qm {
namespace {

struct Row {
    std::string name;
    std::int64_t size;
};

std::vector<TableColumn<Row>> rowColumns()
{
    return {{QStringLiteral("Name"), [](const Row& r) -> SortValue { return r.name; }},
            {QStringLiteral("Size"), [](const Row& r) -> SortValue { return r.size; }}};
}

std::vector<std::shared_ptr<Row>> rows(std::initializer_list<Row> list)
{
    std::vector<std::shared_ptr<Row>> out;
    for (const Row& r : list)
        out.push_back(std::make_shared<Row>(r));
    return out;
}

std::vector<std::string> names(const std::vector<std::shared_ptr<Row>>& list)
{
    std::vector<std::string> out;
    for (const auto& r : list)
        out.push_back(r->name);
    return out;
}

TEST(EntryTable, HeaderClicksLeadWithTheColumnAndFlipItsDirection)
{
    SortOrder order = {{1, true}};
    order = nextSortOrder(order, 0);
    EXPECT_EQ(order, (SortOrder{{0, false}, {1, true}}));
    order = nextSortOrder(order, 0);
    EXPECT_EQ(order, (SortOrder{{0, true}, {1, true}}));
    order = nextSortOrder(order, 1);
    EXPECT_EQ(order, (SortOrder{{1, false}, {0, true}}));
}

TEST(EntryTable, SortsStablyByCodePointsThenByLaterKeys)
{
    auto list = rows({{"zeta", 1}, {"Beta", 2}, {"alpha", 2}, {"Zulu", 1}, {"beta", 2}});
    sortEntries(list, {{0, false}}, rowColumns());
    EXPECT_EQ(names(list), (std::vector<std::string>{"Beta", "Zulu", "alpha", "beta", "zeta"}));

    // Equal sizes keep their previous order; a second key breaks ties.
    sortEntries(list, {{1, true}}, rowColumns());
    EXPECT_EQ(names(list), (std::vector<std::string>{"Beta", "alpha", "beta", "Zulu", "zeta"}));
    sortEntries(list, {{1, false}, {0, true}}, rowColumns());
    EXPECT_EQ(names(list), (std::vector<std::string>{"zeta", "Zulu", "beta", "alpha", "Beta"}));
    // Descriptors of columns that do not exist are passed over.
    sortEntries(list, {{7, false}}, rowColumns());
    EXPECT_EQ(names(list), (std::vector<std::string>{"zeta", "Zulu", "beta", "alpha", "Beta"}));
}

TEST(EntryTable, SearchesTextIgnoringCase)
{
    const auto list = rows({{"Markdown", 1}, {"C", 2}, {"Makefile", 3}});
    auto name = [](const Row& r) { return r.name; };
    EXPECT_EQ(names(filterEntries(list, QStringLiteral("mark"), name)), (std::vector<std::string>{"Markdown"}));
    EXPECT_EQ(names(filterEntries(list, QStringLiteral("MARK"), name)), (std::vector<std::string>{"Markdown"}));
    EXPECT_EQ(filterEntries(list, QString(), name).size(), 3u);
    EXPECT_TRUE(filterEntries(list, QStringLiteral("zzz"), name).empty());
}

TEST(EntryTable, ClickingAHeaderReportsTheOrderAndShowsItsIndicator)
{
    EntryTable<Row> table(rowColumns(), QStringLiteral("Filter"), {{1, true}});
    table.resize(400, 300);
    std::vector<SortOrder> reported;
    table.onSortOrderChanged = [&](const SortOrder& o) { reported.push_back(o); };
    auto list = rows({{"b", -3}, {"a", 9}});
    table.setRows(list);
    EXPECT_EQ(table.model().rowCount(), 2);
    EXPECT_EQ(table.model().data(table.model().index(0, 1), Qt::DisplayRole).toString(), "-3");
    EXPECT_EQ(table.model().headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), "Size");

    QHeaderView* header = table.view()->horizontalHeader();
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    table.show();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], (SortOrder{{0, false}, {1, true}}));
    EXPECT_EQ(header->sortIndicatorSection(), 0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    // The table itself never reorders its rows.
    EXPECT_EQ(table.model().rows()[0]->name, "b");
}

} // namespace
} // namespace qm
