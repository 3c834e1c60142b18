#include "app/LocsByLanguage.h"

#include "app/LanguageInfo.h"
#include "app/SummaryBar.h"
#include "app/Symbols.h"
#include "core/LanguageEntry.h"
#include "core/Project.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <iostream>

namespace qm {

namespace {

// The language cell: colour dot, bold name with its content kinds as
// tooltip, and the chevron that chooses the language.
QWidget* languageCell(const std::shared_ptr<LanguageEntry>& language, std::function<void()> choose, QWidget* parent)
{
    auto* cell = new QWidget(parent);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(4, 0, 2, 0);
    auto* dot = new QLabel(cell);
    dot->setPixmap(languageDot(language->name).pixmap(12, 12));
    auto* name = new QLabel(QString::fromStdString(language->name), cell);
    name->setTextFormat(Qt::PlainText);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    name->setToolTip(QString::fromStdString(supportedContents(language->name)));
    name->setObjectName(QStringLiteral("languageName"));
    auto* chevron = new QToolButton(cell);
    chevron->setIcon(symbolIcon(QStringLiteral("chevron.right")));
    chevron->setAutoRaise(true);
    chevron->setAccessibleName(QStringLiteral("Show the files of ") + QString::fromStdString(language->name));
    chevron->setObjectName(QStringLiteral("chevron"));
    QObject::connect(chevron, &QToolButton::clicked, cell, [choose = std::move(choose)] {
        std::cout << "tap-tap" << std::endl;
        choose();
    });
    row->addWidget(dot);
    row->addWidget(name);
    row->addStretch(1);
    row->addWidget(chevron);
    return cell;
}

} // namespace

SortOrder LocsByLanguage::initialSortOrder()
{
    return {{5, true}};
}

std::vector<TableColumn<LanguageEntry>> LocsByLanguage::columns()
{
    return withLineCountColumns<LanguageEntry>({
        {QStringLiteral("Language"), [](const LanguageEntry& e) -> SortValue { return e.name; }},
        {QStringLiteral("Files"), [](const LanguageEntry& e) -> SortValue { return std::int64_t(e.count); }},
    });
}

LocsByLanguage::LocsByLanguage(SortOrder sortOrder, Binding<std::shared_ptr<Project>> selectedProject,
                               Binding<std::shared_ptr<LanguageEntry>> selectedLanguage, QString searchFilter,
                               std::shared_ptr<ReloadViewHelper> reloadViewHelper, QWidget* parent)
    : ProjectScreen(std::move(selectedProject), std::move(reloadViewHelper), parent)
    , selectedLanguage_(std::move(selectedLanguage))
{
    // The language cell draws the name itself; the model keeps it for accessibility.
    auto cellData = [](const LanguageEntry&, int column, int role) -> QVariant {
        if (column == 0 && role == Qt::DisplayRole)
            return QString();
        return {};
    };
    table_ = new EntryTable<LanguageEntry>(columns(), QStringLiteral("Filter by language"), std::move(sortOrder), cellData, this);
    table_->searchField()->setText(searchFilter);
    summary_ = new SummaryBar(this);
    wireSummaryBar(summary_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);

    table_->onSortOrderChanged = [this](const SortOrder& order) { sortOrderChanged(order); };
    table_->onSearchChanged = [this](const QString&) { refreshNow(); };
    connect(table_->view()->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        std::cout << "selection changed!" << std::endl;
    });
    refreshNow();
}

const std::vector<std::shared_ptr<LanguageEntry>>& LocsByLanguage::rows() const
{
    return table_->model().rows();
}

void LocsByLanguage::chooseLanguage(const std::shared_ptr<LanguageEntry>& language)
{
    selectedLanguage_.set(language);
}

void LocsByLanguage::sortOrderChanged(const SortOrder& order)
{
    std::cout << "order changed!" << std::endl;
    if (const auto p = project()) {
        auto sorted = p->final.get();
        sortEntries(sorted, order, columns());
        p->final = std::move(sorted);
    }
    refreshNow();
}

void LocsByLanguage::refresh()
{
    const auto p = project();
    const std::vector<std::shared_ptr<LanguageEntry>> languages = p ? p->final.get() : std::vector<std::shared_ptr<LanguageEntry>>{};
    table_->setRows(filterEntries(languages, table_->searchText(), [](const LanguageEntry& e) { return e.name; }));
    for (int row = 0; row < int(rows().size()); ++row) {
        const auto language = rows()[row];
        std::weak_ptr<LanguageEntry> weak = language;
        table_->view()->setIndexWidget(table_->model().index(row, 0), languageCell(language, [this, weak] {
            if (auto l = weak.lock())
                chooseLanguage(l);
        }, table_->view()));
    }
    summary_->setTrailingShown(p != nullptr);
    summary_->setPath(p ? QString::fromStdString(p->path) : QString());
    summary_->setWorking(p && p->working.get());
    summary_->setTotals(Totals::of(languages), SummaryBar::projectHelp());
}

} // namespace qm
