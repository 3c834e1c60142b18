// Many marks in one leaf node: the node keeps each mark's animated area,
// frame, colour and fade itself, matched by id from one update to the next,
// and draws them as the shape and colour views they stand for would.

#include "kit/ui/Marks.h"

#include "kit/base/Localization.h"
#include "kit/ui/engine/Channel.h"
#include "kit/ui/engine/DisplayListBuilder.h"
#include "kit/ui/engine/HostCore.h"
#include "kit/ui/engine/Primitive.h"
#include "kit/ui/engine/ResolvedPaint.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <unordered_map>
#include <utility>

namespace kit {

namespace detail {
namespace {

void setRect(std::vector<double>& values, const Rect& r)
{
    values.assign({r.minX(), r.minY(), r.width(), r.height()});
}

Rect rectOf(const Channel& c)
{
    const auto& v = c.presented;
    return v.size() == 4 ? Rect(v[0], v[1], v[2], v[3]) : Rect();
}

// One mark as the node keeps it: the latest description and its animated values.
struct PlacedMark {
    Mark mark;
    Channel area{ChannelKey::frame};
    Channel frame{ChannelKey::frame};
    Channel color{ChannelKey::color};     // flat colours only; empty for a gradient
    Channel fade{ChannelKey::transition}; // empty unless fading in or out
    bool leaving = false;
    // The path drawn last, kept while the shape and its size stay.
    std::optional<Shape> pathShape;
    Size pathSize{-1, -1};
    Path path;

    bool running() const { return area.isRunning() || frame.isRunning() || color.isRunning() || fade.isRunning(); }

    const Path& pathIn(Size size)
    {
        if (!pathShape || !(pathSize == size) || !pathShape->hasSameValue(mark.shape)) {
            path = mark.shape.path(Rect(0, 0, size.width, size.height));
            pathShape = mark.shape;
            pathSize = size;
        }
        return path;
    }
};

struct MarksState {
    std::uint64_t laidOutBy = 0; // the serial number of the primitive whose marks are placed
    Size size{-1, -1};
    std::vector<PlacedMark> marks; // the listed marks in list order, then those leaving
    std::size_t listed = 0;
    std::optional<std::uint64_t> token;
};

class MarksPrimitive final : public Primitive {
public:
    MarksPrimitive(std::function<std::vector<Mark>(Size)> marks, MarksStyle style)
        : marks_(std::move(marks)), style_(std::move(style)), serial_(++serials)
    {
    }
    NodeRole role() const override { return NodeRole::leaf; }
    bool sameLayout(const Primitive&) const override { return true; } // it takes what it is offered

    void retargetOwnValues(Node& node, const Transaction& transaction, double now, bool snap, bool fades) const override
    {
        MarksState& s = node.data<MarksState>();
        const Size size = node.frame.size;
        // A primitive is told by its serial number: a new one may take the place in memory of one gone.
        if (s.laidOutBy == serial_ && s.size == size)
            return; // the same marks in the same place: their animations go on
        s.laidOutBy = serial_;
        s.size = size;
        std::vector<Mark> marks = marks_ ? marks_(size) : std::vector<Mark>{};

        // The shapes move with the change's animation in the update its token changes.
        const bool changed = style_.change && s.token && *s.token != style_.change->token;
        if (style_.change)
            s.token = style_.change->token;
        const std::optional<Animation> outer = snap ? std::nullopt : transaction.animation;
        const std::optional<Animation> inner = snap                                         ? std::nullopt
                                               : changed && !transaction.disablesAnimations ? style_.change->animation
                                                                                            : outer;

        std::unordered_map<std::size_t, std::size_t> byId;
        byId.reserve(s.listed);
        for (std::size_t i = 0; i < s.listed; ++i)
            byId.emplace(s.marks[i].mark.id, i);
        std::vector<PlacedMark> old = std::move(s.marks);
        std::vector<bool> taken(old.size(), false);
        s.marks.clear();
        s.marks.reserve(marks.size());

        static thread_local std::vector<double> values;
        const EnvironmentValues& env = *node.environment;
        for (Mark& mark : marks) {
            const auto found = byId.find(mark.id);
            const bool stays = found != byId.end() && !taken[found->second];
            PlacedMark placed = stays ? std::move(old[found->second]) : PlacedMark{};
            if (stays) {
                taken[found->second] = true;
                setRect(values, mark.area);
                placed.area.retarget(values, 0, outer, now);
                setRect(values, mark.frame);
                placed.frame.retarget(values, 0, inner, now);
            } else {
                setRect(values, mark.area);
                placed.area.snap(values);
                setRect(values, mark.entrance.value_or(mark.frame));
                placed.frame.snap(values);
                if (mark.entrance) {
                    setRect(values, mark.frame);
                    placed.frame.retarget(values, 0, style_.entranceAnimation, now);
                }
                if (!snap && fades) {
                    placed.fade.snap({1.0});
                    placed.fade.animateFrom({0.0}, *transaction.animation, now);
                }
            }
            if (const auto* c = std::get_if<Color>(&mark.paint)) {
                const std::vector<double> colour = premultiplied(env.resolve(*c));
                if (stays && placed.color.target.size() == 4)
                    placed.color.retarget(colour, 0, inner, now);
                else
                    placed.color.snap(colour);
            } else {
                placed.color.snap({});
            }
            placed.mark = std::move(mark);
            s.marks.push_back(std::move(placed));
        }
        s.listed = s.marks.size();

        // What is left was removed: at once, or fading out where it stands.
        for (std::size_t i = 0; i < old.size(); ++i) {
            if (taken[i] || (!old[i].leaving && (snap || !fades)))
                continue;
            PlacedMark& leaving = old[i];
            if (!leaving.leaving) {
                leaving.leaving = true;
                if (leaving.fade.presented.empty())
                    leaving.fade.snap({1.0});
                leaving.fade.retarget({0.0}, 0, transaction.animation, now);
            }
            s.marks.push_back(std::move(leaving));
        }
        if (ownValuesMoving(node))
            node.host.noteMoving(node);
    }

    bool advanceOwnValues(Node& node, double now) const override
    {
        MarksState& s = node.data<MarksState>();
        bool running = false;
        for (PlacedMark& m : s.marks)
            for (Channel* c : {&m.area, &m.frame, &m.color, &m.fade})
                if (c->isRunning()) {
                    c->update(now);
                    running |= c->isRunning();
                }
        // Marks whose fade out has ended are dropped.
        const auto gone = std::remove_if(s.marks.begin() + std::ptrdiff_t(s.listed), s.marks.end(),
                                         [](const PlacedMark& m) { return !m.fade.isRunning(); });
        s.marks.erase(gone, s.marks.end());
        return running || s.marks.size() > s.listed;
    }

    bool ownValuesMoving(const Node& node) const override
    {
        // A node that has not been laid out yet has no marks of its own.
        const auto& s = const_cast<Node&>(node).data<MarksState>();
        if (s.marks.size() > s.listed)
            return true;
        return std::any_of(s.marks.begin(), s.marks.end(), [](const PlacedMark& m) { return m.running(); });
    }

    void draw(Node& node, DisplayListBuilder& builder, const DrawState& state) const override
    {
        MarksState& s = node.data<MarksState>();
        const EnvironmentValues& env = *node.environment;
        std::optional<Color> areaColor;
        if (style_.areaColor)
            areaColor = unpremultiplied(premultiplied(env.resolve(*style_.areaColor)));
        for (PlacedMark& m : s.marks) {
            DrawState own = state;
            if (!m.fade.presented.empty())
                own.opacity *= std::clamp(m.fade.presented[0], 0.0, 1.0);
            if (m.leaving)
                own.hittable = false;
            const AffineTransform& base = state.transform;
            if (areaColor) {
                const Rect a = rectOf(m.area);
                DisplayItem item;
                item.kind = DisplayItem::Kind::fill;
                item.path = Path::rect(Rect(0, 0, a.width(), a.height()));
                item.paint = *areaColor;
                item.frame = Rect(0, 0, a.width(), a.height());
                own.transform = AffineTransform::translation(a.minX(), a.minY()).concatenating(base);
                builder.addItem(node, own, std::move(item));
            }
            const Rect f = rectOf(m.frame);
            DisplayItem item;
            item.kind = DisplayItem::Kind::fill;
            item.frame = Rect(0, 0, f.width(), f.height());
            item.path = m.pathIn(f.size);
            item.paint = m.color.presented.size() == 4 ? Paint(unpremultiplied(m.color.presented))
                                                       : resolvedPaint(m.mark.paint, env);
            own.transform = AffineTransform::translation(f.minX(), f.minY()).concatenating(base);
            builder.addItem(node, own, std::move(item));
        }
        addElements(node, builder, state, s);
    }

private:
    void addElements(Node& node, DisplayListBuilder& builder, const DrawState& state, const MarksState& s) const
    {
        if (!style_.accessibility || s.listed == 0 || state.a11y == DrawState::A11y::ignore)
            return;
        const int count = int(s.listed);
        if (state.a11y == DrawState::A11y::combine) {
            // Only the labels count, joined into the combining element.
            std::string& label = builder.element(state.element).label;
            for (int i = 0; i < count; ++i) {
                AccessibilityElementContent content = style_.accessibility(i);
                const std::string text = content.localizeLabel ? localized(content.label) : content.label;
                if (!text.empty())
                    label += label.empty() ? text : ", " + text;
            }
            return;
        }
        auto areas = std::make_shared<std::vector<Rect>>();
        areas->reserve(s.listed);
        for (std::size_t i = 0; i < s.listed; ++i)
            areas->push_back(rectOf(s.marks[i].area));
        auto run = std::make_shared<AccessibilityRun>();
        run->count = count;
        run->element = [content = style_.accessibility, areas](int i) {
            AccessibilityElementContent element = content(i);
            if (!element.frame)
                element.frame = (*areas)[std::size_t(i)];
            return element;
        };
        const Rect f = node.presentedFrame();
        run->bounds = Rect(0, 0, f.width(), f.height());
        run->transform = state.transform;
        run->node = node.id;
        builder.addElementRun(std::move(run), state);
    }

    static inline std::atomic<std::uint64_t> serials{0};

    std::function<std::vector<Mark>(Size)> marks_;
    MarksStyle style_;
    std::uint64_t serial_;
};

} // namespace
} // namespace detail

View Marks(std::function<std::vector<Mark>(Size size)> marks, MarksStyle style)
{
    return View(std::make_shared<detail::MarksPrimitive>(std::move(marks), std::move(style)));
}

} // namespace kit
