#pragma once

#include "app/widgets/RowButtons.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace qm {

// One key of a table's sort order: a column and its direction.
struct SortDescriptor {
    int column = 0;
    bool reverse = false;
    bool operator==(const SortDescriptor&) const = default;
};
using SortOrder = std::vector<SortDescriptor>;

// The order after a click on a column header: the column's own descriptor
// flips when it already leads, else the column leads in forward order; the
// earlier keys follow and break ties.
SortOrder nextSortOrder(const SortOrder& current, int column);

using SortValue = std::variant<std::int64_t, std::string>;

// A column of an entry table: its title and the field it shows and sorts by.
template <class Entry>
struct TableColumn {
    QString title;
    std::function<SortValue(const Entry&)> value;
};

// The columns that end both entry tables: "Lines", "Blank", "Comments" and
// "Code", after the given leading columns.
template <class Entry>
std::vector<TableColumn<Entry>> withLineCountColumns(std::vector<TableColumn<Entry>> leading)
{
    leading.push_back({QStringLiteral("Lines"), [](const Entry& e) -> SortValue { return std::int64_t(e.lines); }});
    leading.push_back({QStringLiteral("Blank"), [](const Entry& e) -> SortValue { return std::int64_t(e.blank); }});
    leading.push_back(
        {QStringLiteral("Comments"), [](const Entry& e) -> SortValue { return std::int64_t(e.comment); }});
    leading.push_back({QStringLiteral("Code"), [](const Entry& e) -> SortValue { return std::int64_t(e.code); }});
    return leading;
}

// Sorts in place by the descriptors: the first decides, the next break
// ties, and entries equal under all keep their order. Text compares by
// code points (case-sensitive), integers numerically.
template <class Entry>
void sortEntries(std::vector<std::shared_ptr<Entry>>& entries, const SortOrder& order,
                 const std::vector<TableColumn<Entry>>& columns)
{
    std::stable_sort(entries.begin(), entries.end(), [&](const auto& a, const auto& b) {
        for (const SortDescriptor& d : order) {
            if (d.column < 0 || d.column >= int(columns.size()))
                continue;
            const SortValue va = columns[d.column].value(*a);
            const SortValue vb = columns[d.column].value(*b);
            if (va == vb)
                continue;
            return d.reverse ? vb < va : va < vb;
        }
        return false;
    });
}

// The rows of an entry table, in the order they are given.
template <class Entry>
class EntryTableModel : public QAbstractTableModel {
public:
    using Ptr = std::shared_ptr<Entry>;
    // Extra data of a cell (decoration, tooltip, font, ...); an invalid
    // QVariant falls back to the column's value for the display role.
    using CellData = std::function<QVariant(const Entry&, int column, int role)>;

    EntryTableModel(std::vector<TableColumn<Entry>> columns, CellData cellData = {}, QObject* parent = nullptr)
        : QAbstractTableModel(parent), columns_(std::move(columns)), cellData_(std::move(cellData))
    {
    }

    void setRows(std::vector<Ptr> rows)
    {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    const std::vector<Ptr>& rows() const { return rows_; }
    const std::vector<TableColumn<Entry>>& columns() const { return columns_; }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : int(columns_.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= int(rows_.size()) || index.column() >= int(columns_.size()))
            return {};
        const Entry& entry = *rows_[index.row()];
        if (cellData_) {
            QVariant extra = cellData_(entry, index.column(), role);
            if (extra.isValid())
                return extra;
        }
        if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
            return text(columns_[index.column()].value(entry));
        return {};
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < int(columns_.size()))
            return columns_[section].title;
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    static QString text(const SortValue& value)
    {
        if (const auto* number = std::get_if<std::int64_t>(&value))
            return QString::fromStdString(std::to_string(*number));
        return QString::fromStdString(std::get<std::string>(value));
    }

private:
    std::vector<TableColumn<Entry>> columns_;
    CellData cellData_;
    std::vector<Ptr> rows_;
};

// A searchable table of entries with sortable headers. The table never
// reorders rows itself: a click on a header reports the new sort order, and
// the owner sorts its list and hands the rows back. Escape in the search
// field clears it; Tab leaves the table for the next widget (the arrow keys
// move within it), and screen readers find the row buttons of its cells.
template <class Entry>
class EntryTable : public QWidget {
public:
    using Ptr = std::shared_ptr<Entry>;

    EntryTable(std::vector<TableColumn<Entry>> columns, const QString& searchPrompt, SortOrder initialOrder,
               typename EntryTableModel<Entry>::CellData cellData = {}, QWidget* parent = nullptr)
        : QWidget(parent), model_(std::move(columns), std::move(cellData), this), sortOrder_(std::move(initialOrder))
    {
        search_ = new QLineEdit(this);
        search_->setPlaceholderText(searchPrompt);
        search_->setClearButtonEnabled(true);
        search_->setAccessibleName(searchPrompt);
        view_ = new QTableView(this);
        view_->setModel(&model_);
        view_->setSelectionBehavior(QAbstractItemView::SelectRows);
        view_->setSelectionMode(QAbstractItemView::SingleSelection);
        view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view_->setSortingEnabled(false);
        view_->setShowGrid(false);
        view_->setAlternatingRowColors(true);
        view_->setWordWrap(false);
        view_->verticalHeader()->hide();
        view_->setTabKeyNavigation(false);
        view_->horizontalHeader()->setSectionsClickable(true);
        view_->horizontalHeader()->setSortIndicatorShown(true);
        // The name column takes the room the counts leave; counts keep theirs.
        view_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        view_->horizontalHeader()->setMinimumSectionSize(
            view_->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")));
        view_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
        view_->horizontalHeader()->setHighlightSections(false);
        showSortIndicator();

        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto* searchRow = new QHBoxLayout;
        searchRow->setContentsMargins(8, 6, 8, 6);
        searchRow->addStretch(1);
        searchRow->addWidget(search_, 1);
        layout->addLayout(searchRow);
        layout->addWidget(view_, 1);

        QObject::connect(view_->horizontalHeader(), &QHeaderView::sectionClicked, this,
                         [this](int column) { setSortOrder(nextSortOrder(sortOrder_, column)); });
        QObject::connect(search_, &QLineEdit::textChanged, this, [this] {
            if (onSearchChanged)
                onSearchChanged(searchText());
        });
        search_->installEventFilter(this);
        exposeRowButtons(view_);
    }

    QTableView* view() const { return view_; }
    QLineEdit* searchField() const { return search_; }
    EntryTableModel<Entry>& model() { return model_; }
    QString searchText() const { return search_->text(); }

    const SortOrder& sortOrder() const { return sortOrder_; }
    void setSortOrder(SortOrder order)
    {
        sortOrder_ = std::move(order);
        showSortIndicator();
        if (onSortOrderChanged)
            onSortOrderChanged(sortOrder_);
    }

    // Shows these rows, keeping the selected entries selected.
    void setRows(std::vector<Ptr> rows)
    {
        std::vector<const Entry*> selected;
        for (const QModelIndex& index : view_->selectionModel()->selectedRows())
            selected.push_back(model_.rows()[index.row()].get());
        QSignalBlocker block(view_->selectionModel());
        model_.setRows(std::move(rows));
        for (int row = 0; row < model_.rowCount(); ++row) {
            if (std::find(selected.begin(), selected.end(), model_.rows()[row].get()) != selected.end())
                view_->selectionModel()->select(model_.index(row, 0),
                                                QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
    }

    std::function<void(const SortOrder&)> onSortOrderChanged;
    std::function<void(const QString&)> onSearchChanged;

protected:
    // Escape clears a search field that holds text, before any shortcut of
    // the window takes the key; an empty field lets it pass on.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == search_ && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier && !search_->text().isEmpty()) {
            event->accept();
            if (event->type() == QEvent::KeyPress)
                search_->clear();
            return true;
        }
        return QWidget::eventFilter(watched, event);
    }

private:
    void showSortIndicator()
    {
        if (sortOrder_.empty())
            return;
        view_->horizontalHeader()->setSortIndicator(sortOrder_.front().column, sortOrder_.front().reverse
                                                                                   ? Qt::DescendingOrder
                                                                                   : Qt::AscendingOrder);
    }

    EntryTableModel<Entry> model_;
    QTableView* view_;
    QLineEdit* search_;
    SortOrder sortOrder_;
};

// Rows whose text contains the search text, ignoring case; all rows for an
// empty search.
template <class Entry, class Text>
std::vector<std::shared_ptr<Entry>> filterEntries(const std::vector<std::shared_ptr<Entry>>& entries,
                                                  const QString& search, Text text)
{
    if (search.isEmpty())
        return entries;
    std::vector<std::shared_ptr<Entry>> rows;
    for (const auto& entry : entries) {
        if (QString::fromStdString(text(*entry)).contains(search, Qt::CaseInsensitive))
            rows.push_back(entry);
    }
    return rows;
}

} // namespace qm
