#include "app/screens/SummaryBar.h"

#include "app/paths/DisplayText.h"
#include "app/widgets/BorderlessButton.h"
#include "app/widgets/BusyIndicator.h"
#include "app/widgets/ElidedLabel.h"
#include "app/widgets/Symbols.h"

#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyleHints>
#include <QToolButton>
#include <QVBoxLayout>

#include <string>

namespace qm {

namespace {

const std::array<const char*, 4> kTotalSymbols = {"line.3.horizontal", "camera.metering.none", "quote.bubble",
                                                  "barometer"};

QFrame* line(QFrame::Shape shape, QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Plain);
    QPalette p = frame->palette();
    QColor c = p.color(QPalette::WindowText);
    c.setAlphaF(0.1);
    p.setColor(QPalette::WindowText, c);
    frame->setPalette(p);
    return frame;
}

QColor secondaryColor(const QWidget* w)
{
    QColor c = w->palette().color(QPalette::WindowText);
    c.setAlphaF(0.55);
    return c;
}

} // namespace

SummaryBar::SummaryBar(QWidget* parent) : QWidget(parent)
{
    setFixedHeight(40);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(line(QFrame::HLine, this));
    auto* rowWidget = new QWidget(this);
    row_ = new QHBoxLayout(rowWidget);
    row_->setContentsMargins(10, 0, 10, 0);
    column->addWidget(rowWidget, 1);

    // Leading place: the folder path with its symbol, 20 points clear of what follows.
    leadingBox_ = new QWidget(rowWidget);
    auto* leadingLayout = new QHBoxLayout(leadingBox_);
    leadingLayout->setContentsMargins(0, 0, 0, 0);
    pathBox_ = new QWidget(leadingBox_);
    auto* pathLayout = new QHBoxLayout(pathBox_);
    pathLayout->setContentsMargins(0, 0, 20, 0);
    auto* folder = new QLabel(pathBox_);
    folder->setPixmap(symbolIcon(QStringLiteral("folder"), Qt::gray).pixmap(16, 16));
    pathLabel_ = new ElidedLabel(pathBox_);
    pathLabel_->setColor(Qt::gray);
    pathLayout->addWidget(folder);
    pathLayout->addWidget(pathLabel_, 1);
    leadingLayout->addWidget(pathBox_);
    pathBox_->hide();
    row_->addWidget(leadingBox_, 1);
    row_->addStretch(0);

    totalsBox_ = new QWidget(rowWidget);
    auto* totals = new QHBoxLayout(totalsBox_);
    totals->setContentsMargins(0, 0, 0, 0);
    // What the totals leave out, when the count could not read everything.
    unreadableBox_ = new QWidget(totalsBox_);
    auto* unreadable = new QHBoxLayout(unreadableBox_);
    unreadable->setContentsMargins(0, 0, 10, 0);
    auto* warning = new QLabel(unreadableBox_);
    warning->setPixmap(symbolIcon(QStringLiteral("exclamationmark.triangle"), secondaryColor(this)).pixmap(14, 14));
    unreadableLabel_ = new QLabel(unreadableBox_);
    unreadableLabel_->setObjectName(QStringLiteral("unreadable"));
    unreadable->addWidget(warning);
    unreadable->addWidget(unreadableLabel_);
    totals->addWidget(unreadableBox_);
    unreadableBox_->hide();
    for (int i = 0; i < 4; ++i) {
        auto* icon = new QLabel(totalsBox_);
        icon->setPixmap(symbolIcon(QString::fromLatin1(kTotalSymbols[i]), secondaryColor(this)).pixmap(14, 14));
        totalLabels_[i] = new QLabel(QStringLiteral("0"), totalsBox_);
        QPalette p = totalLabels_[i]->palette();
        p.setColor(QPalette::WindowText, secondaryColor(this));
        totalLabels_[i]->setPalette(p);
        totalLabels_[i]->setObjectName(QStringLiteral("total%1").arg(i));
        totals->addWidget(icon);
        totals->addWidget(totalLabels_[i]);
        totals->addWidget(line(QFrame::VLine, totalsBox_));
    }
    settingsButton_ = new BorderlessButton(QStringLiteral("wrench.and.screwdriver.fill"), QStringLiteral("Settings"),
                                           totalsBox_);
    reloadButton_ = new BorderlessButton(QStringLiteral("arrow.clockwise"), QStringLiteral("Reload"), totalsBox_);
    totals->addWidget(settingsButton_);
    totals->addWidget(reloadButton_);
    row_->addWidget(totalsBox_);

    progress_ = new BusyIndicator(16, rowWidget);
    row_->addWidget(progress_);
    progress_->hide();
    // A counter may never end: the count can be stopped (the results stay).
    stopButton_ = new BorderlessButton(QStringLiteral("xmark"), QStringLiteral("Stop Counting"), rowWidget);
    row_->addWidget(stopButton_);
    stopButton_->hide();

    connect(settingsButton_, &QToolButton::clicked, this, &SummaryBar::settingsClicked);
    connect(reloadButton_, &QToolButton::clicked, this, &SummaryBar::reloadClicked);
    connect(stopButton_, &QToolButton::clicked, this, [this] {
        if (stopShown_.isValid() && stopShown_.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval())
            return; // a click meant for the reload button that stood there
        emit stopClicked();
    });
}

void SummaryBar::setPath(const QString& path)
{
    pathLabel_->setText(path);
    pathBox_->show();
}

void SummaryBar::setLeading(QWidget* leading)
{
    pathBox_->hide();
    leading->setParent(leadingBox_);
    leadingBox_->layout()->addWidget(leading);
    leading->show();
}

void SummaryBar::setTotals(const Totals& totals, const std::array<QString, 4>& help)
{
    const std::array<std::int64_t, 4> values = {totals.lines, totals.blank, totals.comment, totals.code};
    for (int i = 0; i < 4; ++i) {
        totalLabels_[i]->setText(QString::fromStdString(std::to_string(values[i])));
        totalLabels_[i]->setToolTip(help[i]);
    }
}

void SummaryBar::setUnreadable(const UnreadableEntries& entries)
{
    unreadableBox_->setVisible(entries.count > 0);
    if (entries.count == 0)
        return;
    unreadableLabel_->setText(entries.count == 1 ? QStringLiteral("1 file or folder could not be read")
                                                 : QStringLiteral("%1 files or folders could not be read")
                                                       .arg(QString::fromStdString(std::to_string(entries.count))));
    QStringList lines{QStringLiteral("Left out of the totals:")};
    for (const std::string& entry : entries.first)
        lines << displayText(entry);
    if (entries.count > entries.first.size())
        lines << QStringLiteral("and %1 more")
                     .arg(QString::fromStdString(std::to_string(entries.count - entries.first.size())));
    unreadableBox_->setToolTip(lines.join(u'\n'));
    unreadableLabel_->setToolTip(unreadableBox_->toolTip());
}

void SummaryBar::setWorking(bool working)
{
    working_ = working;
    updateTrailing();
}

void SummaryBar::setTrailingShown(bool shown)
{
    trailingShown_ = shown;
    updateTrailing();
}

void SummaryBar::updateTrailing()
{
    progress_->setVisible(trailingShown_ && working_);
    const bool stopping = trailingShown_ && working_;
    if (stopping && stopButton_->isHidden())
        stopShown_.start();
    stopButton_->setVisible(stopping);
    totalsBox_->setVisible(trailingShown_ && !working_);
}

std::array<QString, 4> SummaryBar::projectHelp()
{
    return {QStringLiteral("The total number of lines in this project"),
            QStringLiteral("The total number of blank lines in this project"),
            QStringLiteral("The total number of comments in this project"),
            QStringLiteral("The total number of lines of code in this project")};
}

std::array<QString, 4> SummaryBar::languageHelp(const QString& language)
{
    return {QStringLiteral("The total number of lines in ") + language,
            QStringLiteral("The total number of blank lines in ") + language,
            QStringLiteral("The total number of comments in ") + language,
            QStringLiteral("The total number of lines of code in ") + language};
}

} // namespace qm
