#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace qm {

class BusyIndicator;

// A line along the bottom of the window: what is being counted (with a
// spinner and a button that stops the count), or a notice that stays until
// it is dismissed or replaced.
class StatusLine : public QWidget {
    Q_OBJECT

public:
    explicit StatusLine(QWidget* parent = nullptr);

    // A count in progress; a notice being shown gives way to it.
    void showProgress(const QString& text);
    // A notice the user dismisses; its text can be selected and copied.
    void showNotice(const QString& text, const QString& toolTip = {});
    // Hides the progress (a notice stays).
    void hideProgress();
    void dismiss();

    bool showingNotice() const { return notice_; }
    bool showingProgress() const { return !isHidden() && !notice_; }
    QString text() const;
    QLabel* label() const { return label_; }
    BusyIndicator* spinner() const { return spinner_; }
    QToolButton* dismissButton() const { return dismiss_; }
    QToolButton* stopButton() const { return stop_; }

signals:
    // The stop button of a count in progress was clicked.
    void stopClicked();

private:
    BusyIndicator* spinner_;
    QLabel* label_;
    QToolButton* dismiss_;
    QToolButton* stop_;
    bool notice_ = false;
};

} // namespace qm
