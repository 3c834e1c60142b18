#include "app/screens/LocsByFile.h"

#include "app/languages/LanguageInfo.h"
#include "app/paths/DisplayText.h"
#include "core/FileEntry.h"
#include "core/LanguageEntry.h"
#include "core/Project.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QShortcut>

namespace qm {

namespace {

// A row's tooltip: the file's path, which tells apart files of one name.
QVariant pathTip(const FileEntry& entry, int, int role)
{
    return role == Qt::ToolTipRole ? QVariant(displayText(entry.location)) : QVariant();
}

} // namespace

std::vector<TableColumn<FileEntry>> LocsByFile::columns()
{
    return withLineCountColumns<FileEntry>({
        {QStringLiteral("Filename"), [](const FileEntry& e) -> SortValue { return e.filename; }},
        {QStringLiteral("Bytes"), [](const FileEntry& e) -> SortValue { return std::int64_t(e.bytes); }},
    });
}

LocsByFile::LocsByFile(SortOrder sortOrder, Binding<std::shared_ptr<Project>> selectedProject,
                       Binding<std::shared_ptr<LanguageEntry>> data, std::shared_ptr<ReloadViewHelper> reloadViewHelper,
                       QString searchFilter, QWidget* parent)
    : EntryTableScreen(columns(), QStringLiteral("Filter by file"), std::move(sortOrder), searchFilter, pathTip,
                       std::move(selectedProject), std::move(reloadViewHelper), parent),
      data_(std::move(data))
{
    table_->view()->setSelectionMode(QAbstractItemView::ExtendedSelection);
    // Escape or Alt+Left (back, as in a browser) return to the languages,
    // as the toolbar's back button does.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::ALT | Qt::Key_Left)}) {
        auto* back = new QShortcut(key, this);
        back->setContext(Qt::WidgetWithChildrenShortcut);
        connect(back, &QShortcut::activated, this, [this] { data_.set(nullptr); });
    }

    languageHeader_ = new QWidget;
    auto* header = new QHBoxLayout(languageHeader_);
    header->setContentsMargins(0, 0, 0, 0);
    dot_ = new QLabel(languageHeader_);
    languageName_ = new QLabel(languageHeader_);
    languageName_->setTextFormat(Qt::PlainText);
    QFont bold = languageName_->font();
    bold.setBold(true);
    languageName_->setFont(bold);
    fileCount_ = new QLabel(languageHeader_);
    header->addWidget(dot_);
    header->addWidget(languageName_);
    header->addWidget(fileCount_);
    header->addStretch(1);
    summary_->setLeading(languageHeader_);
    refreshNow();
}

void LocsByFile::sortList(const SortOrder& order)
{
    if (const auto language = data_())
        sortEntries(language->files, order, columns());
}

void LocsByFile::refresh()
{
    const auto language = data_();
    const auto p = project();
    if (!language) {
        table_->setRows({});
        languageHeader_->hide();
        summary_->setTrailingShown(false);
        return;
    }
    showRows(language->files, [](const FileEntry& e) { return e.filename; });
    const QString name = QString::fromStdString(language->name);
    dot_->setPixmap(languageDot(language->name).pixmap(12, 12));
    languageName_->setText(name);
    fileCount_->setText(
        QStringLiteral("(%1 files)").arg(QString::fromStdString(std::to_string(std::int64_t(language->files.size())))));
    languageHeader_->show();
    summary_->setTrailingShown(true);
    summary_->setWorking(p && p->working.get());
    summary_->setTotals(Totals::of(language->files), SummaryBar::languageHelp(name));
}

} // namespace qm
