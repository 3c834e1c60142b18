#include "kit/ui/Image.h"

#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/Primitive.h"
#include "kit/ui/engine/Symbols.h"

#include <QDebug>

#include <algorithm>

namespace kit {

namespace detail {
namespace {

double scaleFactor(ImageScale s)
{
    return s == ImageScale::small ? 0.8 : s == ImageScale::large ? 1.3 : 1.0;
}

class ImagePrimitive final : public Primitive {
public:
    ImagePrimitive(std::string name, bool resizable) : name_(std::move(name)), resizable_(resizable)
    {
        symbol_ = findSymbol(name_);
        if (!symbol_)
            qDebug("kit: no symbol named \"%s\"", name_.c_str());
    }
    NodeRole role() const override { return NodeRole::leaf; }
    bool sameLayout(const Primitive& other) const override
    {
        const ImagePrimitive& o = sameClass(*this, other);
        return o.resizable_ == resizable_ && o.name_ == name_;
    }

    Size sizeThatFits(Node& node, ProposedSize proposal) const override
    {
        if (!symbol_)
            return {0, 0};
        const double side = node.environment->font.size() * scaleFactor(node.environment->imageScale);
        if (!resizable_)
            return {side, side};
        return proposal.replacingUnspecified({side, side});
    }
    void targets(Node& node, TargetSink& sink) const override
    {
        sink.set(ChannelKey::color, premultiplied(node.environment->resolve(node.environment->foregroundColor)));
    }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        if (!symbol_)
            return;
        const EnvironmentValues& env = *node.environment;
        const Rect f = node.presentedFrame();
        // The symbol's box fitted and centred in the frame.
        const double scale = std::min(f.width() / symbol_->box.width, f.height() / symbol_->box.height);
        const Size s{symbol_->box.width * scale, symbol_->box.height * scale};
        DisplayItem item;
        item.kind = DisplayItem::Kind::image;
        item.symbol = name_;
        item.imageRect = Rect((f.width() - s.width) / 2, (f.height() - s.height) / 2, s.width, s.height);
        const RGBA primary = node.presentedColor(env.resolve(env.foregroundColor)).components();
        const bool palette = env.secondaryForeground &&
                             env.symbolRenderingMode.value_or(SymbolRenderingMode::palette) ==
                                 SymbolRenderingMode::palette;
        item.layerColors = {primary, palette ? env.resolve(*env.secondaryForeground) : primary};
        builder.addItem(node, state, std::move(item));
    }

private:
    std::string name_;
    bool resizable_;
    const Symbol* symbol_ = nullptr;
};

} // namespace
} // namespace detail

Image::operator View() const
{
    return View(std::make_shared<detail::ImagePrimitive>(name_, resizable_));
}

bool Image::hasSymbol(const std::string& name)
{
    return detail::findSymbol(name) != nullptr;
}

std::vector<std::string> Image::symbolNames()
{
    return detail::symbolNames();
}

} // namespace kit
