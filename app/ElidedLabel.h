#pragma once

#include <QWidget>

namespace qm {

// One line of text that gives way at its start ("…/to/the/folder") when
// there is not room for all of it.
class ElidedLabel : public QWidget {
    Q_OBJECT

public:
    explicit ElidedLabel(QWidget* parent = nullptr);

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
};

} // namespace qm
