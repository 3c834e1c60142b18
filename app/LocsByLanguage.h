#pragma once

#include "app/EntryTable.h"
#include "app/ProjectScreen.h"

#include <optional>

namespace qm {

class LanguageEntry;

// The "Analytics" screen while no language is chosen: the project's
// languages in a sortable, searchable table with a summary bar. A row's
// chevron chooses its language.
class LocsByLanguage : public ProjectScreen {
    Q_OBJECT

public:
    LocsByLanguage(SortOrder sortOrder, Binding<std::shared_ptr<Project>> selectedProject,
                   Binding<std::shared_ptr<LanguageEntry>> selectedLanguage, QString searchFilter,
                   std::shared_ptr<ReloadViewHelper> reloadViewHelper, QWidget* parent = nullptr);

    // The sort order a fresh languages table starts with: code, largest first.
    static SortOrder initialSortOrder();
    static std::vector<TableColumn<LanguageEntry>> columns();

    EntryTable<LanguageEntry>* table() const { return table_; }
    SummaryBar* summaryBar() const { return summary_; }
    // The entries shown, in table order.
    const std::vector<std::shared_ptr<LanguageEntry>>& rows() const;
    // The chevron of a row: chooses its language.
    void chooseLanguage(const std::shared_ptr<LanguageEntry>& language);

protected:
    void refresh() override;

private:
    void sortOrderChanged(const SortOrder& order);

    Binding<std::shared_ptr<LanguageEntry>> selectedLanguage_;
    EntryTable<LanguageEntry>* table_;
    SummaryBar* summary_;
};

} // namespace qm
