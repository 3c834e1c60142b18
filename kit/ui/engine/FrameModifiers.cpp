// Fixed and flexible frames.

#include "kit/ui/View.h"
#include "kit/ui/engine/LayoutModifier.h"

#include <QDebug>

#include <algorithm>
#include <cmath>
#include <set>
#include <source_location>
#include <string>

namespace kit::detail {

namespace {

// Frame lengths as layout uses them: a negative or non-finite length is 0,
// so a length that could not be computed (0 / 0, say) draws nothing instead
// of taking the whole proposal; `maximum` lengths may be +infinity. A debug
// build names each caller that gives one, once.
class FrameLengths {
public:
    explicit FrameLengths(std::source_location caller) : caller_(caller) {}
    std::optional<double> length(std::optional<double> d) const { return d ? std::optional(valid(*d, false)) : d; }
    std::optional<double> maximum(std::optional<double> d) const { return d ? std::optional(valid(*d, true)) : d; }

private:
    double valid(double d, bool infiniteAllowed) const
    {
        if (d >= 0 && (std::isfinite(d) || infiniteAllowed))
            return d;
#ifndef NDEBUG
        static std::set<std::pair<std::string, std::uint_least32_t>> reported;
        if (reported.emplace(caller_.file_name(), caller_.line()).second)
            qDebug("kit: a frame at %s:%u has a negative or non-finite length; it counts as 0", caller_.file_name(),
                   unsigned(caller_.line()));
#endif
        return 0;
    }
    std::source_location caller_;
};

class FixedFrame final : public LayoutModifier {
public:
    FixedFrame(View content, std::optional<double> w, std::optional<double> h, Alignment a)
        : LayoutModifier(std::move(content)), width_(w), height_(h), alignment_(a)
    {
    }
    bool sameLayout(const Primitive& other) const override
    {
        const FixedFrame& o = sameClass(*this, other);
        return o.width_ == width_ && o.height_ == height_ && o.alignment_ == alignment_;
    }
    Size sizeThatFits(Node& node, ProposedSize p) const override
    {
        if (width_ && height_)
            return {*width_, *height_};
        const Size child = contentSize(node, childProposal(node, p));
        return {width_.value_or(child.width), height_.value_or(child.height)};
    }

protected:
    ProposedSize childProposal(Node&, ProposedSize p) const override
    {
        return {width_ ? width_ : p.width, height_ ? height_ : p.height};
    }
    Point childOrigin(Node&, Size size, const Content& c) const override { return aligned(size, c, alignment_); }

private:
    std::optional<double> width_, height_;
    Alignment alignment_;
};

class FlexibleFrame final : public LayoutModifier {
public:
    FlexibleFrame(View content, FlexFrame f) : LayoutModifier(std::move(content)), f_(std::move(f))
    {
        // A contradiction raises the maximum to the minimum.
        if (f_.minWidth && f_.maxWidth && *f_.minWidth > *f_.maxWidth)
            f_.maxWidth = f_.minWidth;
        if (f_.minHeight && f_.maxHeight && *f_.minHeight > *f_.maxHeight)
            f_.maxHeight = f_.minHeight;
    }
    bool sameLayout(const Primitive& other) const override { return sameClass(*this, other).f_ == f_; }
    Size sizeThatFits(Node& node, ProposedSize p) const override
    {
        const Size child = contentSize(node, childProposal(node, p));
        return {axis(p.width, child.width, f_.minWidth, f_.idealWidth, f_.maxWidth),
                axis(p.height, child.height, f_.minHeight, f_.idealHeight, f_.maxHeight)};
    }

protected:
    ProposedSize childProposal(Node&, ProposedSize p) const override
    {
        return {childAxis(p.width, f_.minWidth, f_.idealWidth, f_.maxWidth),
                childAxis(p.height, f_.minHeight, f_.idealHeight, f_.maxHeight)};
    }
    Point childOrigin(Node&, Size size, const Content& c) const override { return aligned(size, c, f_.alignment); }

private:
    static std::optional<double> childAxis(std::optional<double> p, std::optional<double> mn,
                                           std::optional<double> ideal, std::optional<double> mx)
    {
        if (!p)
            return ideal;
        double v = *p;
        if (mn)
            v = std::max(v, *mn);
        if (mx)
            v = std::min(v, *mx);
        return v;
    }
    static double axis(std::optional<double> p, double child, std::optional<double> mn, std::optional<double> ideal,
                       std::optional<double> mx)
    {
        if (!p) {
            double r = ideal.value_or(child);
            if (mn)
                r = std::max(*mn, r);
            if (mx)
                r = std::min(*mx, r);
            return r;
        }
        double r = child;
        if (mn)
            r = std::max(*mn, std::min(r, *p));
        if (mx)
            r = std::min(*mx, std::max(r, *p));
        return r;
    }
    FlexFrame f_;
};

} // namespace

View frame(const View& v, std::optional<double> width, std::optional<double> height, Alignment alignment,
           std::source_location caller)
{
    const FrameLengths lengths(caller);
    width = lengths.length(width);
    height = lengths.length(height);
    return modify(v, [=](View c) { return std::make_shared<FixedFrame>(std::move(c), width, height, alignment); });
}

View frame(const View& v, const FlexFrame& limits, std::source_location caller)
{
    const FrameLengths lengths(caller);
    FlexFrame f = limits;
    f.minWidth = lengths.length(f.minWidth);
    f.idealWidth = lengths.length(f.idealWidth);
    f.maxWidth = lengths.maximum(f.maxWidth);
    f.minHeight = lengths.length(f.minHeight);
    f.idealHeight = lengths.length(f.idealHeight);
    f.maxHeight = lengths.maximum(f.maxHeight);
    return modify(v, [=](View c) { return std::make_shared<FlexibleFrame>(std::move(c), f); });
}

} // namespace kit::detail
