#include "UiTest.h"

using namespace kit;

using EnvironmentTest = UiTest;

TEST_F(EnvironmentTest, ColourSchemeAndPaletteResolveSemanticColours)
{
    ViewHost host(VStack({Text(Verbatim{"t"}), Rectangle().fill(Color::accent()).frame(10, 10).id("r")}), {50, 50});
    EXPECT_EQ(host.displayList().textItem("t")->color, Color::primary().resolved(ColorScheme::light));
    host.setColorScheme(ColorScheme::dark);
    runUntilIdle();
    EXPECT_EQ(host.displayList().textItem("t")->color, Color::primary().resolved(ColorScheme::dark));
    EXPECT_EQ(std::get<Color>(itemsOf(host, "r").front()->paint).components(), Color::hex("#0A84FF").resolved());

    ColorPalette palette;
    palette.accent = RGBA{0, 1, 0, 1};
    host.setPalette(palette);
    runUntilIdle();
    EXPECT_EQ(std::get<Color>(itemsOf(host, "r").front()->paint).components(), (RGBA{0, 1, 0, 1}));
    const std::size_t passes = host.passCount();
    host.setPalette(palette);
    runUntilIdle();
    EXPECT_EQ(host.passCount(), passes) << "the same palette again changes nothing";

    // A subtree may override the scheme.
    ViewHost nested(Text(Verbatim{"n"}).colorScheme(ColorScheme::dark), {50, 50});
    EXPECT_EQ(nested.displayList().textItem("n")->color.red, 1);
}

TEST_F(EnvironmentTest, FontsLineLimitsAndDefaults)
{
    ViewHost host(VStack({Text(Verbatim{"body"}), Text(Verbatim{"big"}).font(Font::largeTitle()),
                          Text(Verbatim{"abcdefgh"}).font(Font::system(10)).lineLimit(1).frame(30, 100)}),
                  {200, 200});
    EXPECT_EQ(host.displayList().textItem("body")->font, Font::body());
    EXPECT_EQ(host.displayList().textItem("big")->font.size(), 26);
    EXPECT_TRUE(host.displayList().textItem("abcd\u2026")) << "one line, truncated";
}

TEST_F(EnvironmentTest, PaletteSymbolsUseTheSecondaryColourForLayerTwo)
{
    ViewHost host(Image("folder.badge.plus").foregroundStyle(Color::rgb(1, 0, 0), Color::white()).id("i"), {50, 50});
    const auto items = itemsOf(host, "i");
    ASSERT_EQ(items.size(), 1u);
    ASSERT_EQ(items[0]->layerColors.size(), 2u);
    EXPECT_EQ(items[0]->layerColors[0], Color::rgb(1, 0, 0).resolved());
    EXPECT_EQ(items[0]->layerColors[1], Color::white().resolved());
    ViewHost mono(Image("folder.badge.plus")
                      .foregroundStyle(Color::rgb(1, 0, 0), Color::white())
                      .symbolRenderingMode(SymbolRenderingMode::monochrome)
                      .id("i"),
                  {50, 50});
    EXPECT_EQ(itemsOf(mono, "i").front()->layerColors[1], Color::rgb(1, 0, 0).resolved());
}
