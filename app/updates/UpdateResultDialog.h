#pragma once

#include "app/updates/Updater.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace qm {

// The dialog that tells what an update check found. It takes the size its
// contents ask for, and at least the width its title needs in the window's
// title bar beside the window buttons, so the title is never cut.
class UpdateResultDialog : public QDialog {
    Q_OBJECT

public:
    explicit UpdateResultDialog(const UpdateCheckResult& result, QWidget* parent = nullptr);

    QLabel* message() const { return message_; }
    QLabel* details() const { return details_; }
    // Where the download link leads, or why it is not offered.
    QLabel* link() const { return link_; }
    // "Download" when a newer release has a link that may be offered.
    QPushButton* downloadButton() const { return download_; }

    // The width the title needs: its text in the title-bar font, with room
    // for the window buttons and a margin.
    static int titleWidth(const QString& title);

private:
    QLabel* message_ = nullptr;
    QLabel* details_ = nullptr;
    QLabel* link_ = nullptr;
    QPushButton* download_ = nullptr;
};

} // namespace qm
