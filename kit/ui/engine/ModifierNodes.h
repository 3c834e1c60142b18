#pragma once

// The modifiers as the view layer implements them, one function each: each
// wraps its view in the node of its modifier (or each view of a Group, a
// ForEach or a user view's body: see modify() in Primitive.h). The methods
// of ViewMethods (View.h) forward to these; views never call them directly.

#include "kit/base/Angle.h"
#include "kit/base/Color.h"
#include "kit/base/EdgeInsets.h"
#include "kit/base/StrokeStyle.h"
#include "kit/base/UnitPoint.h"
#include "kit/ui/Animation.h"
#include "kit/ui/AnyKey.h"
#include "kit/ui/Environment.h"
#include "kit/ui/Gesture.h"
#include "kit/ui/Layout.h"
#include "kit/ui/Transaction.h"

#include <any>
#include <cstdint>
#include <functional>
#include <optional>
#include <source_location>
#include <string>

namespace kit {

class View;
class Shape;
struct FlexFrame;
enum class AccessibilityChildBehavior;

namespace detail {

// Frames (FrameModifiers.cpp).
View frame(const View&, std::optional<double> width, std::optional<double> height, Alignment, std::source_location);
View frame(const View&, const FlexFrame&, std::source_location);

// Other modifiers that take part in layout (LayoutModifiers.cpp).
View padding(const View&, EdgeInsets);
View position(const View&, double x, double y);
View fixedSize(const View&, bool horizontal, bool vertical);
View aspectRatio(const View&, std::optional<double> ratio, ContentMode);
View layoutPriority(const View&, double);
View alignmentGuide(const View&, HorizontalAlignment, std::function<double(const ViewDimensions&)>);
View alignmentGuide(const View&, VerticalAlignment, std::function<double(const ViewDimensions&)>);

// Overlays and backgrounds (Decorations.cpp).
View overlay(const View&, const View& overlay, Alignment);
View background(const View&, const View& background, Alignment);

// Drawing effects (EffectModifiers.cpp).
View offset(const View&, double x, double y);
View scaleEffect(const View&, double x, double y, UnitPoint anchor);
View rotationEffect(const View&, Angle, UnitPoint anchor);
View opacity(const View&, double);
View zIndex(const View&, double);
View shadow(const View&, Color, double radius, double x, double y);
View clipped(const View&);
View clipShape(const View&, const Shape&, FillStyle);
View contentShape(const View&, const Shape&, FillStyle);
View allowsHitTesting(const View&, bool);

// The environment (EnvironmentModifier.cpp).
View environment(const View&, std::function<void(EnvironmentValues&)>);

// Lifecycle actions (LifecycleModifiers.cpp).
View onAppear(const View&, std::function<void()>);
View onDisappear(const View&, std::function<void()>);
View onChange(const View&, std::any value, std::function<bool(const std::any&, const std::any&)> equal,
              std::function<void(const std::any&, const std::any&)> action, bool initial);
// `subscribe` starts a subscription that hands each value to its argument
// and returns what cancels it; `identity` tells publishers apart.
View onReceiveImpl(const View&, const void* identity,
                   std::function<std::function<void()>(std::function<void(const std::any&)>)> subscribe,
                   std::function<void(const std::any&)> action);

// Transactions (TransactionModifiers.cpp): `token` is the value's hash or
// version.
View animation(const View&, std::optional<Animation>, std::uint64_t token);
View transaction(const View&, std::function<void(Transaction&)>);

// Accessibility (AccessibilityModifiers.cpp).
View accessibilityLabel(const View&, std::string text, bool localize);
View accessibilityValue(const View&, std::string text, bool localize);
View accessibilityHint(const View&, std::string text, bool localize);
View accessibilityShape(const View&, const Shape&);
View accessibilityHidden(const View&, bool);
View accessibilityElement(const View&, AccessibilityChildBehavior);

// Identity and named coordinate spaces (IdentityModifiers.cpp).
View id(const View&, AnyKey);
View coordinateSpace(const View&, std::string name);
View layoutAnchor(const View&, AnyKey key);
View proposalScope(const View&, AnyKey key);
View minimumShare(const View&, AnyKey key, Size fraction);

// Pointer input (InputModifiers.cpp).
View gesture(const View&, Gesture, GestureMask);
View onHover(const View&, std::function<void(bool)>);

// One child that is either branch (StructureViews.cpp).
View conditional(bool condition, View chosen);

} // namespace detail
} // namespace kit
