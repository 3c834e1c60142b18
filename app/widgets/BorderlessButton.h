#pragma once

#include <QToolButton>

namespace qm {

// A borderless button (raised while the pointer rests on it) that the
// keyboard reaches as well as the mouse: Tab gives it the focus, which a
// frame in the highlight colour shows, and Return, Enter or Space press it.
// An icon-only one carries its name as tooltip and accessible name.
class BorderlessButton : public QToolButton {
    Q_OBJECT

public:
    explicit BorderlessButton(QWidget* parent = nullptr);
    // The symbol as icon; `name` for tooltip, accessible name and object name.
    BorderlessButton(const QString& symbol, const QString& name, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace qm
