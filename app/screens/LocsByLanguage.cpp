#include "app/screens/LocsByLanguage.h"

#include "app/languages/LanguageInfo.h"
#include "app/widgets/ElidedLabel.h"
#include "app/widgets/RowButtons.h"
#include "core/LanguageEntry.h"
#include "core/Project.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>

#include "core/Output.h"

namespace qm {

namespace {

// The language cell: colour dot, bold name (ending in "…" when the column
// is too narrow) with its content kinds as tooltip, and the chevron that
// chooses the language, a button named after it.
QWidget* languageCell(const std::shared_ptr<LanguageEntry>& language, std::function<void()> choose, QWidget* parent)
{
    const QString languageName = QString::fromStdString(language->name);
    auto* cell = new QWidget(parent);
    auto* row = new QHBoxLayout(cell);
    row->setContentsMargins(4, 0, 2, 0);
    auto* dot = new QLabel(cell);
    dot->setPixmap(languageDot(language->name).pixmap(12, 12));
    auto* name = new ElidedLabel(Qt::ElideRight, cell);
    name->setText(languageName);
    QFont bold = name->font();
    bold.setBold(true);
    name->setFont(bold);
    name->setToolTip(QString::fromStdString(supportedContents(language->name)));
    name->setObjectName(QStringLiteral("languageName"));
    auto* chevron = new RowButton(QStringLiteral("chevron.right"), languageName, cell);
    chevron->setToolTip(QStringLiteral("Show the files of ") + languageName);
    chevron->setAccessibleDescription(chevron->toolTip());
    chevron->setObjectName(QStringLiteral("chevron"));
    QObject::connect(chevron, &QToolButton::clicked, cell, [choose = std::move(choose)] {
        printLine("tap-tap");
        choose();
    });
    row->addWidget(dot);
    row->addWidget(name, 1);
    row->addWidget(chevron);
    return cell;
}

// The language cell draws the name itself; the model keeps it for accessibility.
QVariant noNameText(const LanguageEntry&, int column, int role)
{
    return column == 0 && role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
}

} // namespace

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
    : EntryTableScreen(columns(), QStringLiteral("Filter by language"), std::move(sortOrder), searchFilter, noNameText,
                       std::move(selectedProject), std::move(reloadViewHelper), parent),
      selectedLanguage_(std::move(selectedLanguage))
{
    connect(table_->view()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [] { printLine("selection changed!"); });
    refreshNow();
}

void LocsByLanguage::chooseLanguage(const std::shared_ptr<LanguageEntry>& language)
{
    selectedLanguage_.set(language);
}

void LocsByLanguage::sortList(const SortOrder& order)
{
    if (const auto p = project()) {
        auto sorted = p->final.get();
        sortEntries(sorted, order, columns());
        p->final = std::move(sorted);
    }
}

void LocsByLanguage::refresh()
{
    const Rows languages = results();
    showRows(languages, [](const LanguageEntry& e) { return e.name; });
    // Tab goes from the table to each row's chevron, in row order.
    QWidget* before = table_->view();
    for (int row = 0; row < int(rows().size()); ++row) {
        std::weak_ptr<LanguageEntry> weak = rows()[row];
        QWidget* cell = languageCell(
            rows()[row],
            [this, weak] {
                if (auto l = weak.lock())
                    chooseLanguage(l);
            },
            table_->view());
        table_->view()->setIndexWidget(table_->model().index(row, 0), cell);
        auto* chevron = cell->findChild<RowButton*>();
        QWidget::setTabOrder(before, chevron);
        before = chevron;
    }
    showProjectSummary(summary_, languages);
}

} // namespace qm
