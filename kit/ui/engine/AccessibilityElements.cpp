// Many accessibility elements in one leaf node: drawing lists them as one
// run, made element by element only when the accessibility tree is asked
// for.

#include "kit/ui/AccessibilityElements.h"

#include "kit/base/Localization.h"
#include "kit/ui/engine/Channel.h"
#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/Primitive.h"

#include <algorithm>
#include <vector>

namespace kit {

namespace detail {
namespace {

// The area paths a node drew last, for areas with a key.
struct AreaCache {
    std::optional<std::size_t> key;
    int count = 0;
    Rect rect;
    std::shared_ptr<const std::vector<Path>> paths;
};

class AccessibilityElementsPrimitive final : public Primitive {
public:
    AccessibilityElementsPrimitive(int count, std::function<AccessibilityElementContent(int)> element,
                                   std::optional<AccessibilityElementAreas> areas)
        : count_(std::max(count, 0)), element_(std::move(element)), areas_(std::move(areas))
    {
    }
    NodeRole role() const override { return NodeRole::leaf; }
    bool sameLayout(const Primitive&) const override { return true; } // it takes what it is offered

    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        const Rect f = node.presentedFrame();
        const Rect bounds(0, 0, f.width(), f.height());
        if (areas_ && areas_->path)
            drawAreas(node, builder, state, bounds);
        if (count_ == 0 || !element_ || state.a11y == DrawState::A11y::ignore)
            return;
        if (state.a11y == DrawState::A11y::combine) {
            // Only the labels count, joined into the combining element.
            std::string& label = builder.element(state.element).label;
            for (int i = 0; i < count_; ++i) {
                AccessibilityElementContent content = element_(i);
                const std::string text = content.localizeLabel ? localized(content.label) : content.label;
                if (!text.empty())
                    label += label.empty() ? text : ", " + text;
            }
            return;
        }
        auto run = std::make_shared<AccessibilityRun>();
        run->count = count_;
        run->element = element_;
        run->bounds = bounds;
        run->transform = state.transform;
        run->node = node.id;
        builder.addElementRun(std::move(run), state);
    }

private:
    void drawAreas(Node& node, DisplayListBuilder& builder, const DrawState& state, const Rect& bounds) const
    {
        const RGBA c = node.environment->resolve(areas_->color);
        const Color color = unpremultiplied(premultiplied(c));
        AreaCache& cache = node.data<AreaCache>();
        if (!cache.paths || !areas_->key || cache.key != areas_->key || cache.count != count_ ||
            !(cache.rect == bounds)) {
            auto paths = std::make_shared<std::vector<Path>>();
            paths->reserve(std::size_t(count_));
            for (int i = 0; i < count_; ++i)
                paths->push_back(areas_->path(i, bounds));
            cache.paths = std::move(paths);
            cache.key = areas_->key;
            cache.count = count_;
            cache.rect = bounds;
        }
        if (cache.paths->empty())
            return;
        // Areas too faint to change a pixel in 8-bit colour are touch areas
        // only: one hit area holds them all, whatever their number (a line
        // of 100,000 points has as many), where each would be an item to
        // walk past in every paint.
        if (c.alpha > 0 && c.alpha < 0.5 / 255) {
            DisplayItem* item = builder.emplaceKeptItem(node, state, DisplayItem::Kind::hitArea);
            if (!item)
                return;
            item->frame = bounds;
            item->areas = cache.paths;
            return;
        }
        for (const Path& path : *cache.paths) {
            DisplayItem* item = builder.emplaceKeptItem(node, state, DisplayItem::Kind::fill);
            if (!item)
                break;
            if (!(item->frame == bounds))
                item->frame = bounds;
            if (&item->path.elements() != &path.elements())
                item->path = path;
            if (!(item->paint == Paint(color)))
                item->paint = color;
        }
    }

    int count_;
    std::function<AccessibilityElementContent(int)> element_;
    std::optional<AccessibilityElementAreas> areas_;
};

} // namespace
} // namespace detail

View AccessibilityElements(int count, std::function<AccessibilityElementContent(int index)> element,
                           std::optional<AccessibilityElementAreas> areas)
{
    return View(std::make_shared<detail::AccessibilityElementsPrimitive>(count, std::move(element), std::move(areas)));
}

} // namespace kit
