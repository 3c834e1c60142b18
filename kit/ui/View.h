#pragma once

// What users of views call: View, the modifiers every view offers
// (ViewMethods), the structure views (EmptyView, Group, If) and the shape of
// a user view or user modifier (its body). How each modifier becomes a node
// of the host's tree is in engine/ModifierNodes.h; README.md beside this file maps
// the phases of an update to their files.
//
// Sections:
//   modifier arguments   Verbatim, LocalizedKey, FlexFrame, AccessibilityChildBehavior, ContentShapeKind
//   user views           the ViewComponent and ViewModifierType concepts
//   modifiers            ViewMethods: layout, overlay and background, drawing effects, environment,
//                        lifecycle, animation, accessibility, identity, events, user modifiers
//   the view handle      View
//   structure            EmptyView, Group, If, AnyView

#include "kit/base/Angle.h"
#include "kit/base/Color.h"
#include "kit/base/EdgeInsets.h"
#include "kit/base/Font.h"
#include "kit/base/Hashing.h"
#include "kit/base/Path.h"
#include "kit/base/StrokeStyle.h"
#include "kit/ui/Animation.h"
#include "kit/ui/AnyKey.h"
#include "kit/ui/CoordinateSpace.h"
#include "kit/ui/Environment.h"
#include "kit/ui/Gesture.h"
#include "kit/ui/Layout.h"
#include "kit/ui/Transaction.h"
#include "kit/ui/engine/ModifierNodes.h"

#include <any>
#include <concepts>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <source_location>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace kit {

class View;
class Shape;
template <class T>
class Published;

namespace detail {
class Primitive;
}

// A plain text shown or announced as given, without a localization lookup.
struct Verbatim {
    std::string text;
};
// A text looked up in the string table (shown as itself when untranslated).
struct LocalizedKey {
    std::string key;
};

// The limits of a flexible frame: frame({.minWidth = 0, .maxWidth = kit::infinity}).
struct FlexFrame {
    std::optional<double> minWidth, idealWidth, maxWidth;
    std::optional<double> minHeight, idealHeight, maxHeight;
    Alignment alignment;
    friend bool operator==(const FlexFrame&, const FlexFrame&) = default;
};

enum class AccessibilityChildBehavior { contain, combine, ignore };

// What a content shape stands for: where the view takes pointer input, or
// the area its accessibility element announces (its bounding box).
enum class ContentShapeKind { interaction, accessibility };

// A user-defined view: any type with `kit::View body() const`.
template <class T>
concept ViewComponent = requires(const T& t)
{
    {
        t.body()
        } -> std::convertible_to<View>;
};

// A user-defined view modifier: any type with `kit::View body(kit::View content) const`.
template <class M>
concept ViewModifierType = requires(const M& m, const View& content)
{
    {
        m.body(content)
        } -> std::convertible_to<View>;
};

namespace detail {
template <class>
struct ViewFor {
    using type = View;
};
} // namespace detail

// The modifiers every view value offers. Each returns a new View with the
// modifier outside: v.m1().m2() is m2(m1(v)). Mixed into View, shapes,
// Image and, optionally, user views (struct MyView : kit::ViewMethods<MyView>).
template <class Derived>
class ViewMethods {
    // Dependent, so that the methods can be defined before View is complete.
    using ViewT = typename detail::ViewFor<Derived>::type;

public:
    // Layout.
    // Negative and non-finite lengths count as 0 (a debug build names the
    // caller once); only a maximum may be infinite.
    ViewT frame(std::optional<double> width, std::optional<double> height = std::nullopt,
                Alignment alignment = Alignment::center(),
                std::source_location caller = std::source_location::current()) const
    {
        return detail::frame(self(), width, height, alignment, caller);
    }
    ViewT frame(const FlexFrame& limits, std::source_location caller = std::source_location::current()) const
    {
        return detail::frame(self(), limits, caller);
    }
    // 16 on every edge.
    ViewT padding() const { return detail::padding(self(), EdgeInsets::all(16)); }
    ViewT padding(double length) const { return detail::padding(self(), EdgeInsets::all(length)); }
    ViewT padding(EdgeSet edges, std::optional<double> length = std::nullopt) const
    {
        return detail::padding(self(), insets(edges, length.value_or(16)));
    }
    ViewT padding(EdgeInsets insets) const { return detail::padding(self(), insets); }
    ViewT offset(double x, double y) const { return detail::offset(self(), x, y); }
    ViewT offset(Size s) const { return detail::offset(self(), s.width, s.height); }
    ViewT position(double x, double y) const { return detail::position(self(), x, y); }
    ViewT position(Point p) const { return detail::position(self(), p.x, p.y); }
    ViewT fixedSize(bool horizontal = true, bool vertical = true) const
    {
        return detail::fixedSize(self(), horizontal, vertical);
    }
    ViewT aspectRatio(std::optional<double> ratio = std::nullopt, ContentMode mode = ContentMode::fit) const
    {
        return detail::aspectRatio(self(), ratio, mode);
    }
    ViewT layoutPriority(double priority) const { return detail::layoutPriority(self(), priority); }
    // Marks the view as a proposal scope under `key`: the views below it can
    // take a share of what the outermost view so marked was offered
    // (minimumShare), however the views between them divide it.
    template <class K>
    ViewT proposalScope(const K& key) const
    {
        return detail::proposalScope(self(), AnyKey(key));
    }
    // At least `widthFraction` of the width and `heightFraction` of the
    // height the scope `key` around the view was offered (nothing outside
    // such a scope): the view is offered that much at least and takes it.
    template <class K>
    ViewT minimumShare(const K& key, double widthFraction, double heightFraction) const
    {
        return detail::minimumShare(self(), AnyKey(key), Size{widthFraction, heightFraction});
    }
    ViewT alignmentGuide(HorizontalAlignment g, std::function<double(const ViewDimensions&)> value) const
    {
        return detail::alignmentGuide(self(), g, std::move(value));
    }
    ViewT alignmentGuide(VerticalAlignment g, std::function<double(const ViewDimensions&)> value) const
    {
        return detail::alignmentGuide(self(), g, std::move(value));
    }
    // Sized by this view; drawn above (overlay) or below (background) it.
    ViewT overlay(const View& content, Alignment alignment = Alignment::center()) const
    {
        return detail::overlay(self(), content, alignment);
    }
    ViewT background(const View& content, Alignment alignment = Alignment::center()) const
    {
        return detail::background(self(), content, alignment);
    }

    // Drawing effects (no effect on layout).
    ViewT scaleEffect(double s, UnitPoint anchor = UnitPoint::center()) const
    {
        return detail::scaleEffect(self(), s, s, anchor);
    }
    ViewT scaleEffect(double x, double y, UnitPoint anchor) const { return detail::scaleEffect(self(), x, y, anchor); }
    ViewT rotationEffect(Angle angle, UnitPoint anchor = UnitPoint::center()) const
    {
        return detail::rotationEffect(self(), angle, anchor);
    }
    ViewT opacity(double value) const { return detail::opacity(self(), value); }
    ViewT zIndex(double value) const { return detail::zIndex(self(), value); }
    ViewT shadow(Color color, double radius, double x = 0, double y = 0) const
    {
        return detail::shadow(self(), color, radius, x, y);
    }
    // Black at opacity 0.33.
    ViewT shadow(double radius, double x = 0, double y = 0) const
    {
        return detail::shadow(self(), Color::black().opacity(0.33), radius, x, y);
    }
    ViewT clipped() const { return detail::clipped(self()); }
    ViewT clipShape(const Shape& shape, FillStyle style = {}) const { return detail::clipShape(self(), shape, style); }
    ViewT cornerRadius(double radius) const;
    ViewT contentShape(const Shape& shape, FillStyle style = {}) const
    {
        return detail::contentShape(self(), shape, style);
    }
    ViewT contentShape(ContentShapeKind kind, const Shape& shape, FillStyle style = {}) const
    {
        return kind == ContentShapeKind::accessibility ? detail::accessibilityShape(self(), shape)
                                                       : detail::contentShape(self(), shape, style);
    }
    // Makes the whole frame hittable.
    ViewT contentShape() const;
    ViewT allowsHitTesting(bool enabled) const { return detail::allowsHitTesting(self(), enabled); }

    // Environment.
    ViewT foregroundColor(Color color) const
    {
        return detail::environment(self(), [color](EnvironmentValues& e) { e.foregroundColor = color; });
    }
    ViewT foregroundStyle(Color color) const { return foregroundColor(color); }
    // Palette rendering: layer 1 takes `primary`, layer 2 `secondary`.
    ViewT foregroundStyle(Color primary, Color secondary) const
    {
        return detail::environment(self(), [primary, secondary](EnvironmentValues& e) {
            e.foregroundColor = primary;
            e.secondaryForeground = secondary;
        });
    }
    ViewT font(Font font) const
    {
        return detail::environment(self(), [font](EnvironmentValues& e) { e.font = font; });
    }
    ViewT lineLimit(std::optional<int> lines) const
    {
        return detail::environment(self(), [lines](EnvironmentValues& e) { e.lineLimit = lines; });
    }
    ViewT truncationMode(TruncationMode mode) const
    {
        return detail::environment(self(), [mode](EnvironmentValues& e) { e.truncationMode = mode; });
    }
    ViewT multilineTextAlignment(TextAlignment alignment) const
    {
        return detail::environment(self(), [alignment](EnvironmentValues& e) { e.multilineTextAlignment = alignment; });
    }
    ViewT imageScale(ImageScale scale) const
    {
        return detail::environment(self(), [scale](EnvironmentValues& e) { e.imageScale = scale; });
    }
    ViewT symbolRenderingMode(SymbolRenderingMode mode) const
    {
        return detail::environment(self(), [mode](EnvironmentValues& e) { e.symbolRenderingMode = mode; });
    }
    ViewT colorScheme(ColorScheme scheme) const
    {
        return detail::environment(self(), [scheme](EnvironmentValues& e) { e.colorScheme = scheme; });
    }

    // Lifecycle: once per appearance, after layout, before the first paint.
    ViewT onAppear(std::function<void()> action) const { return detail::onAppear(self(), std::move(action)); }
    ViewT onDisappear(std::function<void()> action) const { return detail::onDisappear(self(), std::move(action)); }
    // Runs action(old, new) after each pass in which `value` differs from
    // the value at the node's previous evaluation; the value's type is
    // deduced: .onChange(model->count.get(), [](const int& old, const int& now) { ... }).
    template <class T, class F>
    requires std::equality_comparable<T> && std::invocable<F&, const T&, const T&>
        ViewT onChange(const T& value, F action, bool initial = false)
    const
    {
        return detail::onChange(
            self(), std::any(value),
            [](const std::any& a, const std::any& b) {
                return std::any_cast<const T&>(a) == std::any_cast<const T&>(b);
            },
            [action = std::move(action)](const std::any& a, const std::any& b) mutable {
                action(std::any_cast<const T&>(a), std::any_cast<const T&>(b));
            },
            initial);
    }
    // Subscribes while the view is in the tree; `publisher` has sink(f)
    // returning a Cancellable (subjects, Publisher<T>, TimerPublisher, ...).
    // `action` takes the value (a non-generic callable) or nothing; the
    // latest action of the view is the one called.
    template <class P, class F>
    ViewT onReceive(const P& publisher, F action) const;

    // Animation.
    // When `value` changes, the animation of this view's changes becomes
    // `animation` (std::nullopt removes it). Only the value's hash is kept
    // (kit::hashValue), never a copy of it; given a published property, its
    // write count is compared instead, without hashing the value at all.
    template <Hashable T>
    ViewT animation(std::optional<Animation> animation, const T& value) const
    {
        return detail::animation(self(), animation, hashValue(value));
    }
    template <class T>
    ViewT animation(std::optional<Animation> animation, const Published<T>& property) const
    {
        return detail::animation(self(), animation, property.version());
    }
    // Changes the transaction of every pass for this view and its subtree.
    ViewT transaction(std::function<void(Transaction&)> change) const
    {
        return detail::transaction(self(), std::move(change));
    }

    // Accessibility: a label and a hint are localized keys unless Verbatim; a
    // value is verbatim unless LocalizedKey. The hint says what else there is
    // to know (a screen reader reads it after the label and the value).
    ViewT accessibilityLabel(std::string_view key) const
    {
        return detail::accessibilityLabel(self(), std::string(key), true);
    }
    ViewT accessibilityLabel(Verbatim text) const { return detail::accessibilityLabel(self(), text.text, false); }
    ViewT accessibilityValue(std::string_view text) const
    {
        return detail::accessibilityValue(self(), std::string(text), false);
    }
    ViewT accessibilityValue(LocalizedKey key) const { return detail::accessibilityValue(self(), key.key, true); }
    ViewT accessibilityHint(std::string_view key) const
    {
        return detail::accessibilityHint(self(), std::string(key), true);
    }
    ViewT accessibilityHint(Verbatim text) const { return detail::accessibilityHint(self(), text.text, false); }
    ViewT accessibilityHidden(bool hidden) const { return detail::accessibilityHidden(self(), hidden); }
    ViewT accessibilityElement(AccessibilityChildBehavior children = AccessibilityChildBehavior::ignore) const
    {
        return detail::accessibilityElement(self(), children);
    }

    // Identity.
    template <class K>
    ViewT id(const K& identity) const
    {
        return detail::id(self(), AnyKey(identity));
    }
    ViewT coordinateSpace(std::string name) const { return detail::coordinateSpace(self(), std::move(name)); }
    // Marks the view's frame under `key` for the anchor readers of the host
    // (AnchorReader): a reader finds where this pass put it.
    template <class K>
    ViewT layoutAnchor(const K& key) const
    {
        return detail::layoutAnchor(self(), AnyKey(key));
    }

    // Events.
    ViewT onTapGesture(std::function<void()> action) const { return onTapGesture(1, std::move(action)); }
    ViewT onTapGesture(int count, std::function<void()> action) const
    {
        return detail::gesture(self(), TapGesture(count).onEnded(std::move(action)), GestureMask::all);
    }
    ViewT gesture(Gesture g, GestureMask mask = GestureMask::all) const
    {
        return detail::gesture(self(), std::move(g), mask);
    }
    ViewT onHover(std::function<void(bool)> action) const { return detail::onHover(self(), std::move(action)); }

    // A user modifier: any type with `View body(View content) const`.
    template <ViewModifierType M>
    ViewT modifier(M m) const;

protected:
    View self() const;
};

// A cheap-to-copy handle on an immutable view description. Views are built
// with the functions of this library (Text, HStack, Circle, ...), from user
// view types (anything with `kit::View body() const`), or from a Color.
//
//   template <class ChartData>
//   struct Chart {
//       kit::ObservedObject<ChartData> chartData;   // will-change re-evaluates the view
//       kit::State<bool> startAnimation{false};      // kept in the host's tree
//       // The fields the host binds, in declaration order (C++ has no
//       // reflection; reading an undeclared State in body() aborts in debug).
//       auto dynamicFields() { return std::tie(chartData, startAnimation); }
//
//       kit::View body() const {
//           const double s = *startAnimation ? 1.0 : 0.001;
//           return kit::Circle().fill(kit::Color::accent()).scaleEffect(s)
//               .onAppear([a = startAnimation] {      // capture handles or *this, never `this`
//                   kit::withAnimation(kit::Animation::spring(0.5, 1), [&] { a = true; });
//               });
//       }
//   };
//   kit::View v = Chart<PieChartData>{data};          // converts implicitly
class View : public ViewMethods<View> {
public:
    View(); // an empty view
    View(const Color& color);
    template <ViewComponent T>
    requires(!std::derived_from<T, View>) View(T component);
    explicit View(std::shared_ptr<const detail::Primitive> primitive);

    const std::shared_ptr<const detail::Primitive>& primitive() const { return primitive_; }
    bool isEmptyView() const;

private:
    std::shared_ptr<const detail::Primitive> primitive_;
};

template <class Derived>
View ViewMethods<Derived>::self() const
{
    return View(static_cast<const Derived&>(*this));
}

// Structure.
View EmptyView();
// Children flatten into the enclosing container; a modifier on a group
// applies to each child.
View Group(std::vector<View> children);
// One child that is either branch; the branches are different identities.
View If(bool condition, View then, View otherwise = EmptyView());
// Lazy form: only the taken branch is built.
template <class Then, class Else>
requires std::invocable<Then> && std::invocable<Else> View If(bool condition, Then then, Else otherwise);
template <class Then>
requires std::invocable<Then> View If(bool condition, Then then)
{
    return If(condition, then, [] { return EmptyView(); });
}
// Type erasure is built in: every View is already erased. AnyView keeps the
// wrapped view's identity (a change of wrapped type is a new identity).
inline View AnyView(View view)
{
    return view;
}

template <class Then, class Else>
requires std::invocable<Then> && std::invocable<Else> View If(bool condition, Then then, Else otherwise)
{
    return detail::conditional(condition, condition ? View(then()) : View(otherwise()));
}

} // namespace kit

#include "kit/ui/engine/Component.h"
