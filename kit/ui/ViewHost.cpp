#include "kit/ui/ViewHost.h"

#include "kit/ui/IdentityModifiers.h"
#include "kit/ui/HostCore.h"
#include "kit/ui/Input.h"
#include "kit/ui/GroupLayout.h"
#include "kit/ui/StackLayout.h"

#include <QPainter>

#include <cmath>

namespace kit {

ViewHost::ViewHost(View root, Size size) : core_(std::make_unique<detail::HostCore>(*this))
{
    core_->rootView = std::move(root);
    core_->size = size;
    core_->schedulePass();
}

ViewHost::~ViewHost()
{
    onNeedsRepaint = nullptr;
    onLayoutChanged = nullptr;
    core_->setVisible(false);
}

void ViewHost::setRoot(View root)
{
    core_->rootView = std::move(root);
    if (core_->root) {
        core_->root->primitive = detail::makeRoot(core_->rootView);
        core_->markDirty(*core_->root, Transaction::current());
    }
}

void ViewHost::setSize(Size size)
{
    if (size == core_->size)
        return;
    core_->size = size;
    core_->needsLayout = true;
    core_->schedulePass();
}

Size ViewHost::size() const
{
    return core_->size;
}

Size ViewHost::idealSize()
{
    if (core_->passScheduled || !core_->root)
        core_->runPass();
    if (!core_->idealSize) {
        ++core_->layoutGeneration; // measuring must not reuse the last pass's sizes
        core_->idealSize = detail::measureItems(core_->root->items(0), ProposedSize::unspecified(),
                                                detail::Arrangement::vertical, Alignment::center());
        core_->needsLayout = true;
        core_->layout();
    }
    return *core_->idealSize;
}

void ViewHost::setColorScheme(ColorScheme scheme)
{
    if (core_->baseEnvironment.colorScheme == scheme)
        return;
    core_->baseEnvironment.colorScheme = scheme;
    if (core_->root)
        core_->markDirty(*core_->root, Transaction::current());
}

void ViewHost::setPalette(std::optional<ColorPalette> palette)
{
    if (core_->baseEnvironment.palette == palette)
        return; // style and palette events repeat the same colours
    core_->baseEnvironment.palette = std::move(palette);
    if (core_->root)
        core_->markDirty(*core_->root, Transaction::current());
}

ColorScheme ViewHost::colorScheme() const
{
    return core_->baseEnvironment.colorScheme;
}

void ViewHost::setVisible(bool visible)
{
    core_->setVisible(visible);
}

bool ViewHost::isVisible() const
{
    return core_->visible;
}

void ViewHost::update()
{
    if (core_->passScheduled || !core_->root)
        core_->runPass();
}

bool ViewHost::hasPendingUpdate() const
{
    return core_->passScheduled;
}

bool ViewHost::isAnimating() const
{
    return core_->ticker != nullptr;
}

const DisplayList& ViewHost::displayList()
{
    return core_->displayList();
}

std::vector<AccessibilityElement> ViewHost::accessibilityElements()
{
    core_->displayList();
    return core_->accessibility;
}

QImage ViewHost::renderImage(double scale)
{
    const Size s = core_->size;
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
    std::vector<NodeId> chain;
    for (detail::Node* n = core_->hitNode(p); n; n = n->parent)
        chain.push_back(n->id);
    return chain;
}

std::optional<NodeId> ViewHost::nodeWithId(const AnyKey& key)
{
    update();
    for (const auto& [id, node] : core_->nodes)
        if (const AnyKey* k = detail::explicitId(*node); k && *k == key && !node->removing)
            return id;
    return std::nullopt;
}

bool ViewHost::isDescendant(NodeId node, NodeId ancestor)
{
    auto it = core_->nodes.find(node);
    for (detail::Node* n = it == core_->nodes.end() ? nullptr : it->second; n; n = n->parent)
        if (n->id == ancestor)
            return true;
    return false;
}

std::optional<Rect> ViewHost::layoutFrame(NodeId node)
{
    update();
    auto it = core_->nodes.find(node);
    if (it == core_->nodes.end())
        return std::nullopt;
    detail::Node* n = it->second;
    while (n && n->role() == detail::NodeRole::transparent) {
        const auto& items = n->items(0);
        n = items.empty() ? nullptr : items.front();
    }
    if (!n)
        return std::nullopt;
    return Rect(0, 0, n->frame.size.width, n->frame.size.height).applying(detail::targetTransformToHost(*n));
}

std::size_t ViewHost::repaintCount() const
{
    return core_->repaints;
}

std::size_t ViewHost::passCount() const
{
    return core_->passes;
}

std::size_t ViewHost::nodeCount() const
{
    return core_->nodes.size();
}

QImage renderImage(View view, Size size, double scale)
{
    ViewHost host(std::move(view), size);
    host.update();
    return host.renderImage(scale);
}

} // namespace kit
