#include "app/updates/UpdateResultDialog.h"

#include "app/paths/DisplayText.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qm {

namespace {

// Room for the buttons a window manager puts beside the title (close,
// maximise, minimise and a window icon) and the title's own margins.
constexpr int kTitleBarRoom = 160;

QLabel* wrappedLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

int UpdateResultDialog::titleWidth(const QString& title)
{
    // Title bars often use a larger, bold face than the application's text.
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.25);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleBarRoom;
}

UpdateResultDialog::UpdateResultDialog(const UpdateCheckResult& result, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Software Update"));
    const QString current = QString::fromStdString(result.currentVersion);
    QString headline, text;
    QStyle::StandardPixmap icon = QStyle::SP_MessageBoxInformation;
    QString linkText;
    switch (result.kind) {
    case UpdateCheckResult::Kind::upToDate:
        headline = QStringLiteral("You're up to date!");
        text = QStringLiteral("Quillmarrow %1 is currently the newest version available.").arg(current);
        break;
    case UpdateCheckResult::Kind::updateAvailable:
        headline = QStringLiteral("A new version of Quillmarrow is available!");
        text = QStringLiteral("Quillmarrow %1 is now available; you have %2.")
                   .arg(QString::fromStdString(result.update->version), current);
        // Where "Download" leads is shown; a link the application may not
        // open (not https) is shown as text, and not offered.
        if (!result.downloadLink.isEmpty())
            linkText = QStringLiteral("Download from %1").arg(displayLink(result.downloadLink));
        else if (!result.update->downloadUrl.empty())
            linkText = QStringLiteral("The feed's download link is not a secure web address, so it is not offered: %1")
                           .arg(displayLinkText(QString::fromStdString(result.update->downloadUrl)));
        break;
    case UpdateCheckResult::Kind::failed:
        icon = QStyle::SP_MessageBoxWarning;
        headline = QStringLiteral("Update Error!");
        text = QStringLiteral("The update information could not be read. Please try again later.");
        break;
    }

    auto* iconLabel = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    iconLabel->setPixmap(style()->standardIcon(icon, nullptr, this).pixmap(iconSize, iconSize));
    iconLabel->setAlignment(Qt::AlignTop);
    auto* headlineLabel = wrappedLabel(headline, this);
    QFont bold = headlineLabel->font();
    bold.setBold(true);
    headlineLabel->setFont(bold);
    message_ = wrappedLabel(text, this);
    auto* texts = new QVBoxLayout;
    texts->addWidget(headlineLabel);
    texts->addWidget(message_);
    if (!linkText.isEmpty()) {
        link_ = wrappedLabel(linkText, this);
        link_->setForegroundRole(QPalette::PlaceholderText);
        texts->addWidget(link_);
    }
    if (result.kind == UpdateCheckResult::Kind::failed && !result.error.empty()) {
        details_ = wrappedLabel(QString::fromStdString(result.error), this);
        details_->setForegroundRole(QPalette::PlaceholderText);
        texts->addWidget(details_);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(iconLabel);
    row->addLayout(texts, 1);

    auto* buttons = new QDialogButtonBox(this);
    if (result.kind == UpdateCheckResult::Kind::updateAvailable && !result.downloadLink.isEmpty()) {
        download_ = buttons->addButton(QStringLiteral("Download"), QDialogButtonBox::AcceptRole);
        buttons->addButton(QStringLiteral("Later"), QDialogButtonBox::RejectRole);
    } else {
        buttons->addButton(QDialogButtonBox::Ok);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(buttons);

    // Wrapped texts take a comfortable line length rather than the narrowest
    // one; the title decides when it is wider.
    const int textWidth = std::max(QFontMetrics(bold).horizontalAdvance(headline),
                                   message_->fontMetrics().averageCharWidth() * 48);
    const QMargins margins = column->contentsMargins();
    const int contentWidth = margins.left() + iconSize + row->spacing() + textWidth + margins.right();
    setMinimumWidth(std::max({contentWidth, titleWidth(windowTitle()), column->minimumSize().width()}));
    resize(minimumWidth(), heightForWidth(minimumWidth()) > 0 ? heightForWidth(minimumWidth()) : sizeHint().height());
}

} // namespace qm
