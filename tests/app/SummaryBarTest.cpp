#include "app/screens/SummaryBar.h"
#include "app/widgets/BusyIndicator.h"
#include "app/widgets/ElidedLabel.h"

#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(SummaryBar, ShowsTotalsOrTheSpinnerWhileCounting)
{
    SummaryBar bar;
    bar.resize(900, 40);
    bar.setPath(QStringLiteral("/home/me/project"));
    bar.setTotals({1234567, -2, 30, 9007199254740993}, SummaryBar::projectHelp());
    bar.show();
    EXPECT_EQ(bar.height(), 40);
    EXPECT_EQ(bar.totalLabel(0)->text(), "1234567");
    EXPECT_EQ(bar.totalLabel(1)->text(), "-2");
    EXPECT_EQ(bar.totalLabel(3)->text(), "9007199254740993");
    EXPECT_EQ(bar.totalLabel(2)->toolTip(), "The total number of comments in this project");
    EXPECT_TRUE(bar.settingsButton()->isVisible());
    EXPECT_FALSE(bar.progress()->isVisible());

    bar.setWorking(true);
    EXPECT_TRUE(bar.progress()->isVisible());
    EXPECT_TRUE(bar.progress()->isSpinning());
    EXPECT_FALSE(bar.settingsButton()->isVisible());
    EXPECT_FALSE(bar.reloadButton()->isVisible());
    EXPECT_FALSE(bar.totalLabel(0)->isVisible());
    EXPECT_TRUE(bar.pathLabel()->isVisible());

    bar.setWorking(false);
    EXPECT_FALSE(bar.progress()->isSpinning());
    QSignalSpy settings(&bar, &SummaryBar::settingsClicked);
    QSignalSpy reload(&bar, &SummaryBar::reloadClicked);
    bar.settingsButton()->click();
    bar.reloadButton()->click();
    EXPECT_EQ(settings.size(), 1);
    EXPECT_EQ(reload.size(), 1);

    // A language's help texts end with its name.
    bar.setTotals({}, SummaryBar::languageHelp(QStringLiteral("C++")));
    EXPECT_EQ(bar.totalLabel(0)->toolTip(), "The total number of lines in C++");
    EXPECT_EQ(bar.totalLabel(1)->toolTip(), "The total number of blank lines in C++");
    EXPECT_EQ(bar.totalLabel(2)->toolTip(), "The total number of comments in C++");
    EXPECT_EQ(bar.totalLabel(3)->toolTip(), "The total number of lines of code in C++");
}

TEST(ElidedLabel, LongPathsGiveWayAtTheirStartOnOneLine)
{
    ElidedLabel label;
    const QString path = QStringLiteral("/a/very/long/path/that/does/not/fit/into/the/label/at/all/project");
    label.setText(path);
    label.resize(label.sizeHint());
    EXPECT_EQ(label.shownText(), path);
    label.resize(120, label.sizeHint().height());
    const QString shown = label.shownText();
    EXPECT_TRUE(shown.startsWith(QStringLiteral("\u2026"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("project")));
    EXPECT_LE(label.fontMetrics().horizontalAdvance(shown), 120);
    label.setText(QStringLiteral("two\nlines"));
    label.resize(label.sizeHint().width() * 2, 20);
    EXPECT_FALSE(label.shownText().contains(u'\n'));
}

} // namespace
} // namespace qm
