#pragma once

#include "app/screens/Binding.h"

#include <QWidget>

#include <memory>

namespace qm {

class LanguageEntry;
class Project;
class ProjectScreen;

// The detail pane of the selected project: `Overview` on the first tab;
// otherwise the languages table, or the files table of the chosen language.
// Switching between them starts the new screen afresh.
class Locs : public QWidget {
    Q_OBJECT

public:
    enum class Screen { overview, byLanguage, byFile };

    Locs(Binding<std::shared_ptr<Project>> selectedProject, Binding<std::shared_ptr<LanguageEntry>> selectedLanguage,
         Binding<std::int64_t> currentTab, QWidget* parent = nullptr);

    // Re-reads the bindings and changes the screen when needed.
    void update();

    Screen screen() const { return screen_; }
    ProjectScreen* current() const { return current_; }

    static Screen screenFor(std::int64_t tab, bool languageChosen);

private:
    Binding<std::shared_ptr<Project>> selectedProject_;
    Binding<std::shared_ptr<LanguageEntry>> selectedLanguage_;
    Binding<std::int64_t> currentTab_;
    Screen screen_ = Screen::overview;
    std::weak_ptr<Project> shownProject_;
    ProjectScreen* current_ = nullptr;
};

} // namespace qm
