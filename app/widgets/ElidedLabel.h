#pragma once

#include <QWidget>

namespace qm {

// One line of text that gives way with "…" when there is not room for all
// of it: at its start by default ("…/to/the/folder"), or at its end
// ("Objective-…"). Its tooltip is the whole text unless set otherwise.
class ElidedLabel : public QWidget {
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);
    explicit ElidedLabel(Qt::TextElideMode mode, QWidget* parent = nullptr);

    void setText(const QString& text);
    const QString& text() const { return text_; }
    // The text as drawn at the current width.
    QString shownText() const;

    void setColor(const QColor& color);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    Qt::TextElideMode mode_ = Qt::ElideLeft;
};

} // namespace qm
