#include "kit/ui/ViewHost.h"

#include "kit/ui/engine/HostCore.h"

#include <QPainter>

#include <cmath>

namespace kit {

ViewHost::ViewHost(View root, Size size) : core_(std::make_unique<detail::HostCore>(*this, std::move(root), size)) {}

ViewHost::~ViewHost()
{
    onNeedsRepaint = nullptr;
    onLayoutChanged = nullptr;
    core_->setVisible(false);
}

void ViewHost::setRoot(View root)
{
    core_->setRoot(std::move(root));
}

void ViewHost::setSize(Size size)
{
    core_->setSize(size);
}

Size ViewHost::size() const
{
    return core_->size();
}

Size ViewHost::idealSize()
{
    return core_->idealSize();
}

void ViewHost::setColorScheme(ColorScheme scheme)
{
    core_->setColorScheme(scheme);
}

void ViewHost::setPalette(std::optional<ColorPalette> palette)
{
    core_->setPalette(std::move(palette));
}

ColorScheme ViewHost::colorScheme() const
{
    return core_->colorScheme();
}

void ViewHost::setVisible(bool visible)
{
    core_->setVisible(visible);
}

bool ViewHost::isVisible() const
{
    return core_->isVisible();
}

void ViewHost::update()
{
    core_->update();
}

bool ViewHost::hasPendingUpdate() const
{
    return core_->hasPendingUpdate();
}

bool ViewHost::isAnimating() const
{
    return core_->isTicking();
}

const DisplayList& ViewHost::displayList()
{
    return core_->displayList();
}

std::vector<AccessibilityElement> ViewHost::accessibilityElements()
{
    return core_->accessibilityElements();
}

QImage ViewHost::renderImage(double scale)
{
    const Size s = core_->size();
    QImage image(std::max(1, int(std::ceil(s.width * scale))), std::max(1, int(std::ceil(s.height * scale))),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(1);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(scale, scale);
    paint(painter);
    return image;
}

void ViewHost::paint(QPainter& painter)
{
    displayList().paint(painter);
}

void ViewHost::pointerPressed(Point p)
{
    core_->pressed(p);
}

void ViewHost::pointerMoved(Point p)
{
    core_->moved(p);
}

void ViewHost::pointerReleased(Point p)
{
    core_->released(p);
}

void ViewHost::cancelPointer()
{
    core_->cancelPointer();
}

void ViewHost::pointerHovered(Point p)
{
    core_->hover(p);
}

void ViewHost::pointerExited()
{
    core_->hover(std::nullopt);
}

std::vector<NodeId> ViewHost::hitTest(Point p)
{
    return core_->hitChain(p);
}

std::optional<NodeId> ViewHost::nodeWithId(const AnyKey& key)
{
    return core_->nodeWithId(key);
}

bool ViewHost::isDescendant(NodeId node, NodeId ancestor)
{
    return core_->isDescendant(node, ancestor);
}

std::optional<Rect> ViewHost::layoutFrame(NodeId node)
{
    return core_->layoutFrame(node);
}

std::size_t ViewHost::repaintCount() const
{
    return core_->repaintCount();
}

std::size_t ViewHost::passCount() const
{
    return core_->passCount();
}

std::size_t ViewHost::nodeCount() const
{
    return core_->nodeCount();
}

std::size_t ViewHost::drawnNodeCount() const
{
    return core_->drawnNodeCount();
}

std::size_t ViewHost::measuredCount() const
{
    return core_->measuredCount();
}

std::size_t ViewHost::placedCount() const
{
    return core_->placedCount();
}

QImage renderImage(View view, Size size, double scale)
{
    ViewHost host(std::move(view), size);
    host.update();
    return host.renderImage(scale);
}

} // namespace kit
