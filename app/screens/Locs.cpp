#include "app/screens/Locs.h"

#include "app/screens/LocsByFile.h"
#include "app/screens/LocsByLanguage.h"
#include "app/screens/Overview.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QVBoxLayout>

namespace qm {

Locs::Locs(Binding<std::shared_ptr<Project>> selectedProject, Binding<std::shared_ptr<LanguageEntry>> selectedLanguage,
           Binding<std::int64_t> currentTab, QWidget* parent)
    : QWidget(parent), selectedProject_(std::move(selectedProject)), selectedLanguage_(std::move(selectedLanguage)),
      currentTab_(std::move(currentTab))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    update();
}

Locs::Screen Locs::screenFor(std::int64_t tab, bool languageChosen)
{
    if (tab == 0)
        return Screen::overview;
    return languageChosen ? Screen::byFile : Screen::byLanguage;
}

void Locs::update()
{
    const Screen wanted = screenFor(currentTab_(), selectedLanguage_() != nullptr);
    const auto project = selectedProject_();
    if (current_ && wanted == screen_ && shownProject_.lock() == project) {
        current_->refreshNow();
        return;
    }
    screen_ = wanted;
    shownProject_ = project;
    auto helper = std::make_shared<ReloadViewHelper>();
    ProjectScreen* next = nullptr;
    switch (wanted) {
    case Screen::overview:
        next = new Overview(selectedProject_, helper, this);
        break;
    case Screen::byLanguage:
        next = new LocsByLanguage(LocsByLanguage::initialSortOrder(), selectedProject_, selectedLanguage_, QString(),
                                  helper, this);
        break;
    case Screen::byFile:
        next = new LocsByFile(LocsByFile::initialSortOrder(), selectedProject_, selectedLanguage_, helper, QString(),
                              this);
        break;
    }
    if (current_) {
        // The keyboard stays in the pane: a chevron or Escape that changed the
        // screen leaves the focus on the new screen's table, not nowhere.
        const QWidget* focus = QApplication::focusWidget();
        const bool hadFocus = focus && current_->isAncestorOf(focus);
        delete layout()->replaceWidget(current_, next); // the old widget's item is ours to delete
        current_->hide();
        current_->deleteLater();
        if (hadFocus) {
            next->show();
            QWidget* table = next->findChild<QAbstractItemView*>();
            (table ? table : static_cast<QWidget*>(next))->setFocus(Qt::OtherFocusReason);
        }
    } else {
        layout()->addWidget(next);
    }
    current_ = next;
}

} // namespace qm
