#pragma once

#include "kit/ui/ViewHost.h"

#include <QWidget>

#include <memory>

class QAccessibleInterface;

namespace kit {

// A QWidget showing one root view: laid out on resize, repainted after each
// update pass and animation tick (and not otherwise), pointer input turned
// into gestures (the mouse is captured from press to release), hover, and
// the accessibility elements exposed as QAccessibleInterface children.
class HostingWidget : public QWidget {
public:
    explicit HostingWidget(View root, QWidget* parent = nullptr);
    ~HostingWidget() override;

    void setRootView(View root);
    ViewHost& host() { return *host_; }

    // The root's ideal size.
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void syncColorScheme();

    std::unique_ptr<ViewHost> host_;
    bool pressed_ = false;
};

using Host = HostingWidget;

// Qt's accessibility factory for HostingWidget (installed once by the widget).
QAccessibleInterface* hostingWidgetAccessibility(const QString& className, QObject* object);

} // namespace kit
