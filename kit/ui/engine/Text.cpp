#include "kit/ui/Text.h"

#include "kit/base/FontMetrics.h"
#include "kit/base/Localization.h"
#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/Primitive.h"

#include <cmath>

namespace kit {

namespace detail {
namespace {

class TextPrimitive final : public Primitive {
public:
    TextPrimitive(std::string text, bool localize) : text_(std::move(text)), localize_(localize) {}
    NodeRole role() const override { return NodeRole::leaf; }
    bool sameLayout(const Primitive& other) const override
    {
        const TextPrimitive& o = sameClass(*this, other);
        return o.localize_ == localize_ && o.text_ == text_;
    }

    Size sizeThatFits(Node& node, ProposedSize proposal) const override
    {
        const TextLayout& layout = layoutFor(node, proposal);
        return {layout.width, layout.height};
    }
    void placeChildren(Node& node, ProposedSize proposal, Size) const override
    {
        node.data<TextLayout>() = layoutFor(node, proposal);
    }
    std::optional<double> explicitGuide(Node& node, VerticalAlignment g, Size size) const override
    {
        const FontMetrics& m = FontMetrics::shared();
        const Font& font = node.environment->font;
        const double lineHeight = m.lineHeight(font);
        const double lines = lineHeight > 0 ? std::max(1.0, std::round(size.height / lineHeight)) : 1;
        if (g == VerticalAlignment::firstTextBaseline)
            return m.ascent(font);
        if (g == VerticalAlignment::lastTextBaseline)
            return (lines - 1) * lineHeight + m.ascent(font);
        return std::nullopt;
    }
    void targets(Node& node, TargetSink& sink) const override
    {
        sink.set(ChannelKey::color, premultiplied(node.environment->resolve(node.environment->foregroundColor)));
    }
    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        const TextLayout& layout = node.data<TextLayout>();
        const EnvironmentValues& env = *node.environment;
        const double width = node.presentedFrame().width();
        DisplayItem item;
        item.kind = DisplayItem::Kind::text;
        item.font = env.font;
        item.color = node.presentedColor(env.resolve(env.foregroundColor)).components();
        for (std::size_t i = 0; i < layout.lines.size(); ++i) {
            const double free = width - layout.lineWidths[i];
            const double x = env.multilineTextAlignment == TextAlignment::center     ? free / 2
                             : env.multilineTextAlignment == TextAlignment::trailing ? free
                                                                                     : 0;
            item.lines.push_back({layout.lines[i], {x, layout.ascent + double(i) * layout.lineHeight}});
        }
        builder.addItem(node, state, std::move(item));
    }

private:
    // Layouts for the latest few proposals: layout probes a text several
    // times per pass, and passes repeat the same proposals.
    struct LayoutCache {
        struct Entry {
            const FontMetrics* metrics;
            std::string text;
            Font font;
            std::optional<double> width;
            int maxLines;
            TruncationMode truncation;
            TextLayout layout;
        };
        std::vector<Entry> entries;
    };

    const TextLayout& layoutFor(Node& node, ProposedSize proposal) const
    {
        const EnvironmentValues& env = *node.environment;
        const FontMetrics& m = FontMetrics::shared();
        int maxLines = env.lineLimit.value_or(0);
        if (proposal.height) {
            const double lineHeight = m.lineHeight(env.font);
            const int fitting = lineHeight > 0 ? std::max(1, int(std::floor(*proposal.height / lineHeight + 1e-9))) : 1;
            maxLines = maxLines > 0 ? std::min(maxLines, fitting) : fitting;
        }
        std::string text = localize_ ? localized(text_) : text_;
        auto& entries = node.data<LayoutCache>().entries;
        for (const auto& e : entries)
            if (e.metrics == &m && e.width == proposal.width && e.maxLines == maxLines &&
                e.truncation == env.truncationMode && e.font == env.font && e.text == text)
                return e.layout;
        constexpr std::size_t kept = 6;
        if (entries.size() == kept)
            entries.erase(entries.begin());
        TextLayout layout = m.layout(env.font, text, proposal.width, maxLines, env.truncationMode);
        entries.push_back(
            {&m, std::move(text), env.font, proposal.width, maxLines, env.truncationMode, std::move(layout)});
        return entries.back().layout;
    }

    std::string text_;
    bool localize_;
};

} // namespace
} // namespace detail

View Text(std::string_view key)
{
    return View(std::make_shared<detail::TextPrimitive>(std::string(key), true));
}

View Text(Verbatim text)
{
    return View(std::make_shared<detail::TextPrimitive>(std::move(text.text), false));
}

} // namespace kit
