#pragma once

#include "app/screens/EntryTableScreen.h"

namespace qm {

class LanguageEntry;

// The "Analytics" screen while no language is chosen: the project's
// languages in a sortable, searchable table with a summary bar. A row's
// chevron chooses its language.
class LocsByLanguage : public EntryTableScreen<LanguageEntry> {
    Q_OBJECT

public:
    LocsByLanguage(SortOrder sortOrder, Binding<std::shared_ptr<Project>> selectedProject,
                   Binding<std::shared_ptr<LanguageEntry>> selectedLanguage, QString searchFilter,
                   std::shared_ptr<ReloadViewHelper> reloadViewHelper, QWidget* parent = nullptr);

    static std::vector<TableColumn<LanguageEntry>> columns();

    // The chevron of a row: chooses its language.
    void chooseLanguage(const std::shared_ptr<LanguageEntry>& language);

protected:
    void refresh() override;
    void sortList(const SortOrder& order) override;

private:
    Binding<std::shared_ptr<LanguageEntry>> selectedLanguage_;
};

} // namespace qm
