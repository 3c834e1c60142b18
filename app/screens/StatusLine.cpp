#include "app/screens/StatusLine.h"

#include "app/widgets/BorderlessButton.h"
#include "app/widgets/BusyIndicator.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace qm {

StatusLine::StatusLine(QWidget* parent)
    : QWidget(parent), spinner_(new BusyIndicator(14, this)), label_(new QLabel(this)),
      dismiss_(new BorderlessButton(QStringLiteral("xmark"), QStringLiteral("Dismiss"), this)),
      stop_(new BorderlessButton(QStringLiteral("xmark"), QStringLiteral("Stop Counting"), this))
{
    setAccessibleName(QStringLiteral("Status"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 4, 6, 4);
    label_->setTextFormat(Qt::PlainText); // folder names are never markup
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label_->setWordWrap(true);
    label_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    dismiss_->setIconSize(QSize(12, 12));
    // A counter may never end: a count in progress can be stopped.
    stop_->setIconSize(QSize(12, 12));
    row->addWidget(spinner_);
    row->addWidget(label_, 1);
    row->addWidget(stop_);
    row->addWidget(dismiss_);
    connect(dismiss_, &QToolButton::clicked, this, &StatusLine::dismiss);
    connect(stop_, &QToolButton::clicked, this, &StatusLine::stopClicked);
    hide();
}

void StatusLine::showProgress(const QString& text)
{
    notice_ = false;
    label_->setText(text);
    label_->setToolTip({});
    spinner_->show();
    stop_->show();
    dismiss_->hide();
    show();
}

void StatusLine::showNotice(const QString& text, const QString& toolTip)
{
    notice_ = true;
    label_->setText(text);
    label_->setToolTip(toolTip);
    spinner_->hide();
    stop_->hide();
    dismiss_->show();
    show();
}

void StatusLine::hideProgress()
{
    if (!notice_)
        hide();
}

void StatusLine::dismiss()
{
    notice_ = false;
    hide();
}

QString StatusLine::text() const
{
    return isHidden() ? QString() : label_->text();
}

} // namespace qm
