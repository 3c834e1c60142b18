#pragma once

#include <QWidget>

namespace qm {

// A small spinning circle for work whose length is unknown. It turns only
// while it is shown.
class BusyIndicator : public QWidget {
    Q_OBJECT

public:
    explicit BusyIndicator(int diameter = 16, QWidget* parent = nullptr);

    QSize sizeHint() const override { return {diameter_, diameter_}; }
    bool isSpinning() const { return timerId_ != 0; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    int diameter_;
    int angle_ = 0;
    int timerId_ = 0;
};

} // namespace qm
