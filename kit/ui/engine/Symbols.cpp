#include "kit/ui/engine/Symbols.h"

#include <cmath>
#include <map>
#include <numbers>

namespace kit::detail {

namespace {

constexpr double pi = std::numbers::pi;

Path circle(double cx, double cy, double r)
{
    return Path::ellipse(Rect(cx - r, cy - r, 2 * r, 2 * r));
}

Path lines(std::initializer_list<std::vector<Point>> polylines)
{
    Path p;
    for (const auto& points : polylines)
        p.addLines(points);
    return p;
}

Path closed(std::vector<Point> points)
{
    Path p;
    p.addLines(points);
    p.closeSubpath();
    return p;
}

Path star(double cx, double cy, double outer, double inner, int points)
{
    std::vector<Point> v;
    for (int i = 0; i < 2 * points; ++i) {
        const double a = -pi / 2 + i * pi / points;
        const double r = i % 2 ? inner : outer;
        v.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return closed(v);
}

Path folderOutline()
{
    Path p;
    p.move({3, 6});
    p.addLine({9, 6});
    p.addLine({11, 8});
    p.addLine({21, 8});
    p.addLine({21, 19});
    p.addLine({3, 19});
    p.closeSubpath();
    return p;
}

Path gear()
{
    Path p;
    const int teeth = 8;
    for (int i = 0; i < teeth * 4; ++i) {
        const double a = 2 * pi * i / (teeth * 4) - pi / 2;
        const double r = (i % 4 == 1 || i % 4 == 2) ? 10.5 : 8;
        const Point q{12 + r * std::cos(a), 12 + r * std::sin(a)};
        i == 0 ? p.move(q) : p.addLine(q);
    }
    p.closeSubpath();
    p.addPath(circle(12, 12, 3.5));
    return p;
}

Path heart()
{
    Path p;
    p.move({12, 20.5});
    p.addCurve({2.5, 9}, {6, 16.5}, {2.5, 13});
    p.addCurve({12, 6.5}, {2.5, 3.5}, {9.5, 2.5});
    p.addCurve({21.5, 9}, {14.5, 2.5}, {21.5, 3.5});
    p.addCurve({12, 20.5}, {21.5, 13}, {18, 16.5});
    p.closeSubpath();
    return p;
}

Path pie()
{
    Path p;
    p.move({12, 12});
    p.addRelativeArc({12, 12}, 9, -pi / 2, 1.5 * pi);
    p.closeSubpath();
    Path slice; // the missing quarter, pulled out towards the top left
    slice.move({10.5, 10.5});
    slice.addRelativeArc({10.5, 10.5}, 9, pi, pi / 2);
    slice.closeSubpath();
    p.addPath(slice);
    return p;
}

std::map<std::string, Symbol> makeRegistry()
{
    std::map<std::string, Symbol> r;
    auto stroke = [](Path p, double width = 1.6, int layer = 1) {
        return SymbolLayer{std::move(p), true, width, false, layer};
    };
    auto fill = [](Path p, int layer = 1, bool evenOdd = false) {
        return SymbolLayer{std::move(p), false, 0, evenOdd, layer};
    };

    r["plus.circle"] = {{24, 24},
                        {stroke(circle(12, 12, 9)), stroke(lines({{{12, 7.5}, {12, 16.5}}, {{7.5, 12}, {16.5, 12}}}))}};
    r["minus.circle"] = {{24, 24}, {stroke(circle(12, 12, 9)), stroke(lines({{{7.5, 12}, {16.5, 12}}}))}};
    r["sidebar.leading"] = {{24, 24},
                            {stroke(Path::roundedRect(Rect(2.5, 4.5, 19, 15), 2.5)),
                             stroke(lines({{{9, 4.5}, {9, 19.5}}})),
                             stroke(lines({{{4.5, 8}, {7, 8}}, {{4.5, 11}, {7, 11}}, {{4.5, 14}, {7, 14}}}), 1.2)}};
    r["chevron.left"] = {{24, 24}, {stroke(lines({{{15, 4.5}, {7.5, 12}, {15, 19.5}}}), 2.2)}};
    r["chevron.right"] = {{24, 24}, {stroke(lines({{{9, 4.5}, {16.5, 12}, {9, 19.5}}}), 2.2)}};
    r["folder"] = {{24, 24}, {stroke(folderOutline())}};
    r["folder.fill"] = {{24, 24}, {fill(folderOutline())}};
    r["folder.badge.plus"] = {{24, 24},
                              {stroke(folderOutline()), fill(circle(18.5, 17.5, 5)),
                               stroke(lines({{{18.5, 15}, {18.5, 20}}, {{16, 17.5}, {21, 17.5}}}), 1.4, 2)}};
    {
        Path arc;
        arc.addRelativeArc({12, 12.5}, 7.5, 0, -5.0 * pi / 3);
        r["arrow.clockwise"] = {{24, 24}, {stroke(arc), fill(closed({{16.5, 10.5}, {22.5, 10.5}, {19.5, 15}}))}};
    }
    r["doc"] = {{24, 24},
                {stroke(closed({{6, 3}, {14, 3}, {19, 8}, {19, 21}, {6, 21}})),
                 stroke(lines({{{14, 3}, {14, 8}, {19, 8}}}))}};
    r["gearshape"] = {{24, 24}, {fill(gear(), 1, true)}};
    r["circle"] = {{24, 24}, {stroke(circle(12, 12, 9.5))}};
    r["circle.fill"] = {{24, 24}, {fill(circle(12, 12, 10))}};
    r["square.fill"] = {{24, 24}, {fill(Path::roundedRect(Rect(3, 3, 18, 18), 3))}};
    r["star.fill"] = {{24, 24}, {fill(star(12, 12.5, 10, 4.2, 5))}};
    r["heart.fill"] = {{24, 24}, {fill(heart())}};
    r["bolt.fill"] = {{24, 24}, {fill(closed({{13.5, 2}, {5, 13.5}, {11, 13.5}, {9.5, 22}, {19, 9.5}, {13, 9.5}}))}};
    r["chart.pie.fill"] = {{24, 24}, {fill(pie())}};
    r["chart.bar.fill"] = {{24, 24},
                           {fill(Path::rect(Rect(3, 13, 4.5, 8))), fill(Path::rect(Rect(9.75, 8, 4.5, 13))),
                            fill(Path::rect(Rect(16.5, 3, 4.5, 18)))}};
    r["checkmark"] = {{24, 24}, {stroke(lines({{{4.5, 12.5}, {9.5, 17.5}, {19.5, 6.5}}}), 2.2)}};
    r["xmark"] = {{24, 24}, {stroke(lines({{{6, 6}, {18, 18}}, {{18, 6}, {6, 18}}}), 2)}};
    r["line.3.horizontal"] = {{24, 24},
                              {stroke(lines({{{4, 7}, {20, 7}}, {{4, 12}, {20, 12}}, {{4, 17}, {20, 17}}}), 1.8)}};
    r["camera.metering.none"] = {{24, 24}, {stroke(Path::roundedRect(Rect(3, 5, 18, 14), 3))}};
    {
        Path bubble = Path::roundedRect(Rect(2.5, 3.5, 19, 13.5), 4);
        bubble.addLines({{7, 17}, {6, 21.5}, {11.5, 17}});
        r["quote.bubble"] = {{24, 24}, {stroke(bubble), fill(circle(9, 10.5, 1.6)), fill(circle(15, 10.5, 1.6))}};
    }
    {
        Path dial;
        dial.addArc({12, 13}, 9, 5 * pi / 6, pi / 6, false);
        r["barometer"] = {{24, 24},
                          {stroke(dial), stroke(lines({{{12, 13}, {16.5, 8}}}), 1.8), fill(circle(12, 13, 1.8))}};
    }
    {
        // A screwdriver (shaft and handle) under a wrench whose jaw opens
        // towards the top right.
        Path shaft, handle, wrench, jaw;
        shaft.addLines({{5.5, 5.5}, {13, 13}});
        handle.addLines({{14.5, 14.5}, {18.5, 18.5}});
        wrench.addLines({{4.5, 19.5}, {13.5, 10.5}});
        jaw.addRelativeArc({16, 8}, 3.4, -pi / 4 + 0.95, 2 * pi - 1.9);
        r["wrench.and.screwdriver.fill"] = {{24, 24},
                                            {stroke(shaft, 1.8), stroke(handle, 4.5), stroke(wrench, 2.8),
                                             stroke(jaw, 2.8)}};
    }
    r["info.circle"] = {{24, 24},
                        {stroke(circle(12, 12, 9)), stroke(lines({{{12, 10.5}, {12, 17}}}), 2),
                         fill(circle(12, 7.5, 1.2))}};
    r["exclamationmark.triangle"] = {{24, 24},
                                     {stroke(closed({{12, 3}, {22, 20.5}, {2, 20.5}})),
                                      stroke(lines({{{12, 9}, {12, 14.5}}}), 2), fill(circle(12, 17.5, 1.2))}};
    r["arrow.up"] = {{24, 24}, {stroke(lines({{{12, 20}, {12, 4.5}}, {{5.5, 11}, {12, 4.5}, {18.5, 11}}}), 2)}};
    r["arrow.down"] = {{24, 24}, {stroke(lines({{{12, 4}, {12, 19.5}}, {{5.5, 13}, {12, 19.5}, {18.5, 13}}}), 2)}};
    {
        Path drop;
        drop.move({12, 2.5});
        drop.addCurve({18.5, 15}, {14, 6}, {18.5, 10.5});
        drop.addArc({12, 15}, 6.5, 0, pi, false);
        drop.addCurve({12, 2.5}, {5.5, 10.5}, {10, 6});
        drop.closeSubpath();
        r["drop.fill"] = {{24, 24}, {fill(drop)}};
    }
    {
        Path leaf;
        leaf.move({4, 20});
        leaf.addCurve({20, 4}, {4, 8}, {12, 4});
        leaf.addCurve({4, 20}, {20, 12}, {16, 20});
        leaf.closeSubpath();
        r["leaf.fill"] = {{24, 24}, {fill(leaf)}};
    }
    {
        // A flame with a lick on its left and an inner tongue cut out.
        Path flame;
        flame.move({12, 22});
        flame.addCurve({5, 14.5}, {8, 22}, {5, 18.5});
        flame.addCurve({8.5, 7.5}, {5, 11.5}, {6.5, 9});
        flame.addCurve({10, 11}, {8.5, 9}, {9, 10.5});
        flame.addCurve({12, 2}, {10.5, 7}, {10.5, 4});
        flame.addCurve({19, 14.5}, {15, 6}, {19, 9.5});
        flame.addCurve({12, 22}, {19, 18.5}, {16, 22});
        flame.closeSubpath();
        flame.move({12, 20});
        flame.addCurve({9, 16.5}, {10, 20}, {9, 18.5});
        flame.addCurve({12, 11}, {9, 14}, {11.5, 12.5});
        flame.addCurve({15, 16.5}, {12.5, 12.5}, {15, 14});
        flame.addCurve({12, 20}, {15, 18.5}, {14, 20});
        flame.closeSubpath();
        r["flame.fill"] = {{24, 24}, {fill(flame, 1, true)}};
    }
    return r;
}

const std::map<std::string, Symbol>& registry()
{
    static const std::map<std::string, Symbol> symbols = makeRegistry();
    return symbols;
}

} // namespace

const Symbol* findSymbol(const std::string& name)
{
    const auto& r = registry();
    auto it = r.find(name);
    return it == r.end() ? nullptr : &it->second;
}

std::vector<std::string> symbolNames()
{
    std::vector<std::string> names;
    for (const auto& [name, symbol] : registry())
        names.push_back(name);
    return names;
}

} // namespace kit::detail
