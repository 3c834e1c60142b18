// Accessibility modifiers applied one around another make the elements
// they would make one node each: the outermost first, a hidden or
// combining level cutting the inner ones off the element around them.

#include "UiTest.h"

using namespace kit;

namespace {

struct Element {
    std::string label, value;
    std::vector<Element> children;
};

std::vector<Element> simplified(const std::vector<AccessibilityElement>& elements)
{
    std::vector<Element> out;
    for (const AccessibilityElement& e : elements)
        out.push_back({e.label, e.value, simplified(e.children)});
    return out;
}

void expectElements(const std::vector<Element>& actual, const std::vector<Element>& expected, const std::string& what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < actual.size(); ++i) {
        EXPECT_EQ(actual[i].label, expected[i].label) << what << ", element " << i;
        EXPECT_EQ(actual[i].value, expected[i].value) << what << ", element " << i;
        expectElements(actual[i].children, expected[i].children, what + ", in element " + std::to_string(i));
    }
}

using AccessibilityChains = UiTest;

TEST_F(AccessibilityChains, EachLevelActsAsItsOwnNodeWould)
{
    const View x = Text("x");
    struct Case {
        const char* what;
        View view;
        std::vector<Element> expected;
    };
    const Case cases[] = {
        {"label and value", x.accessibilityLabel(Verbatim{"a"}).accessibilityValue("1"), {{"a", "1", {}}}},
        {"the outer label wins",
         x.accessibilityLabel(Verbatim{"a"}).accessibilityLabel(Verbatim{"b"}),
         {{"b", "", {}}}},
        {"hidden inside a label", x.accessibilityHidden(true).accessibilityLabel(Verbatim{"a"}), {{"a", "", {}}}},
        {"a label inside hidden", x.accessibilityLabel(Verbatim{"a"}).accessibilityHidden(true), {}},
        // A level that is not hidden still parts the label from the value's element.
        {"shown between",
         x.accessibilityLabel(Verbatim{"a"}).accessibilityHidden(false).accessibilityValue("1"),
         {{"", "1", {}}, {"a", "", {}}}},
        {"contained",
         VStack({x.accessibilityLabel(Verbatim{"p"}), x.accessibilityLabel(Verbatim{"q"})})
             .accessibilityElement(AccessibilityChildBehavior::contain)
             .accessibilityLabel(Verbatim{"all"}),
         {{"all", "", {{"p", "", {}}, {"q", "", {}}}}}},
        {"combined",
         VStack({x.accessibilityLabel(Verbatim{"p"}), x.accessibilityLabel(Verbatim{"q"})})
             .accessibilityElement(AccessibilityChildBehavior::combine)
             .accessibilityLabel(Verbatim{"all"}),
         {{"all, p, q", "", {}}}},
        {"ignored",
         VStack({x.accessibilityLabel(Verbatim{"p"})}).accessibilityElement().accessibilityLabel(Verbatim{"all"}),
         {{"all", "", {}}}},
    };
    for (const Case& c : cases) {
        ViewHost host(c.view, {100, 100});
        expectElements(simplified(host.accessibilityElements()), c.expected, c.what);
    }
}

} // namespace
