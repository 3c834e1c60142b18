#pragma once

#include "app/screens/EntryTableScreen.h"

class QLabel;

namespace qm {

class FileEntry;
class LanguageEntry;

// The "Analytics" screen while a language is chosen: the language's files in
// a sortable, searchable table (several rows may be selected) with the
// language's totals below.
class LocsByFile : public EntryTableScreen<FileEntry> {
    Q_OBJECT

public:
    LocsByFile(SortOrder sortOrder, Binding<std::shared_ptr<Project>> selectedProject,
               Binding<std::shared_ptr<LanguageEntry>> data, std::shared_ptr<ReloadViewHelper> reloadViewHelper,
               QString searchFilter, QWidget* parent = nullptr);

    static std::vector<TableColumn<FileEntry>> columns();

    // The language header of the summary bar: name and "(N files)".
    QLabel* languageNameLabel() const { return languageName_; }
    QLabel* fileCountLabel() const { return fileCount_; }

protected:
    void refresh() override;
    void sortList(const SortOrder& order) override;

private:
    Binding<std::shared_ptr<LanguageEntry>> data_;
    QWidget* languageHeader_;
    QLabel* dot_;
    QLabel* languageName_;
    QLabel* fileCount_;
};

} // namespace qm
