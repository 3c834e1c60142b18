#pragma once

#include "app/screens/EntryTable.h"
#include "app/screens/ProjectScreen.h"
#include "app/screens/SummaryBar.h"

#include <QVBoxLayout>

#include "core/Output.h"

namespace qm {

// What the two "Analytics" screens share: a searchable, sortable table of
// entries above a summary bar. A new sort order prints "order changed!" and
// has the screen sort its list (the table never reorders rows itself); a
// new search text redraws.
template <class Entry>
class EntryTableScreen : public ProjectScreen {
public:
    using Rows = std::vector<std::shared_ptr<Entry>>;

    // The order a fresh table starts with: code (the last column of both
    // tables), largest first.
    static SortOrder initialSortOrder() { return {{5, true}}; }

    EntryTable<Entry>* table() const { return table_; }
    SummaryBar* summaryBar() const { return summary_; }
    // The entries shown, in table order.
    const Rows& rows() const { return table_->model().rows(); }

protected:
    EntryTableScreen(std::vector<TableColumn<Entry>> columns, const QString& searchPrompt, SortOrder sortOrder,
                     const QString& searchFilter, typename EntryTableModel<Entry>::CellData cellData,
                     Binding<std::shared_ptr<Project>> selectedProject,
                     std::shared_ptr<ReloadViewHelper> reloadViewHelper, QWidget* parent)
        : ProjectScreen(std::move(selectedProject), std::move(reloadViewHelper), parent),
          table_(
              new EntryTable<Entry>(std::move(columns), searchPrompt, std::move(sortOrder), std::move(cellData), this)),
          summary_(new SummaryBar(this))
    {
        table_->searchField()->setText(searchFilter);
        wireSummaryBar(summary_);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(table_, 1);
        layout->addWidget(summary_);
        table_->onSortOrderChanged = [this](const SortOrder& order) {
            printLine("order changed!");
            sortList(order);
            refreshNow();
        };
        table_->onSearchChanged = [this](const QString&) { refreshNow(); };
    }

    // Sorts the list the table shows, in place, by the new order.
    virtual void sortList(const SortOrder& order) = 0;

    // Shows the entries that pass the search on `text`.
    template <class Text>
    void showRows(const Rows& entries, Text text)
    {
        table_->setRows(filterEntries(entries, table_->searchText(), text));
    }

    EntryTable<Entry>* const table_;
    SummaryBar* const summary_;
};

} // namespace qm
