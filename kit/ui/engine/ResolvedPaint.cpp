#include "kit/ui/engine/ResolvedPaint.h"

#include <type_traits>
#include <vector>

namespace kit::detail {

Paint resolvedPaint(Paint paint, const EnvironmentValues& environment)
{
    const auto resolve = [&](const Color& color) {
        const RGBA c = environment.resolve(color);
        return Color::rgb(c.red, c.green, c.blue, c.alpha);
    };
    return std::visit(
        [&](auto p) -> Paint {
            if constexpr (std::is_same_v<decltype(p), Color>) {
                return resolve(p);
            } else {
                std::vector<Gradient::Stop> stops;
                for (const auto& s : p.gradient.stops())
                    stops.push_back({resolve(s.color), s.location});
                p.gradient = Gradient(std::move(stops));
                return p;
            }
        },
        std::move(paint));
}

} // namespace kit::detail
