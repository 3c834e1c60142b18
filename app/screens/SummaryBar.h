#pragma once

#include "app/screens/Totals.h"
#include "core/UnreadableEntries.h"

#include <QElapsedTimer>
#include <QWidget>

#include <array>

class QHBoxLayout;
class QLabel;
class QToolButton;

namespace qm {

class BusyIndicator;
class ElidedLabel;

// The 40-point bar under a project screen: an optional leading part (the
// folder path, or a language's name), then the four totals with the
// settings and reload buttons (the totals led by a warning when the count
// could not read some files or folders), or a spinner and a stop button
// while the project is counted. The stop button takes the reload button's place, so
// it takes no click for the time of a double click after it appears: the
// second click of a double click on Reload does not stop the count the
// first one started.
class SummaryBar : public QWidget {
    Q_OBJECT

public:
    explicit SummaryBar(QWidget* parent = nullptr);

    // Shows the folder path, cut at its start when short of room.
    void setPath(const QString& path);
    // Puts a widget of its own in the leading place (replacing the path).
    void setLeading(QWidget* leading);

    // The totals with their tooltips (lines, blank, comments, code).
    void setTotals(const Totals& totals, const std::array<QString, 4>& help);
    // Says beside the totals how many files or folders the count could not
    // read (and so left out of them), naming the first few in its tooltip;
    // shows nothing when there are none.
    void setUnreadable(const UnreadableEntries& entries);
    void setWorking(bool working);
    // Hides the totals, the buttons and the spinner.
    void setTrailingShown(bool shown);

    ElidedLabel* pathLabel() const { return pathLabel_; }
    QLabel* totalLabel(int i) const { return totalLabels_[i]; }
    QWidget* unreadable() const { return unreadableBox_; }
    QLabel* unreadableLabel() const { return unreadableLabel_; }
    QToolButton* settingsButton() const { return settingsButton_; }
    QToolButton* reloadButton() const { return reloadButton_; }
    BusyIndicator* progress() const { return progress_; }
    QToolButton* stopButton() const { return stopButton_; }

    static std::array<QString, 4> projectHelp();
    static std::array<QString, 4> languageHelp(const QString& language);

signals:
    void settingsClicked();
    void reloadClicked();
    void stopClicked();

private:
    void updateTrailing();

    QHBoxLayout* row_ = nullptr;
    QWidget* leadingBox_ = nullptr;
    QWidget* pathBox_ = nullptr;
    ElidedLabel* pathLabel_ = nullptr;
    QWidget* totalsBox_ = nullptr;
    QWidget* unreadableBox_ = nullptr;
    QLabel* unreadableLabel_ = nullptr;
    std::array<QLabel*, 4> totalLabels_{};
    QToolButton* settingsButton_ = nullptr;
    QToolButton* reloadButton_ = nullptr;
    BusyIndicator* progress_ = nullptr;
    QToolButton* stopButton_ = nullptr;
    bool working_ = false;
    bool trailingShown_ = true;
    QElapsedTimer stopShown_; // since the stop button last appeared
};

} // namespace qm
