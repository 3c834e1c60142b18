// The chart library installed as a CMake package: what the install puts
// under the prefix, and the example program (examples/charts) configured,
// built and run against it, its pixels showing six bars and a line (the
// README's own program is built against the development package).

#include "tests/install/InstallTest.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace qm::install {
namespace {

// The example's values and colours (examples/charts/main.cpp).
const std::vector<double> sales{20, 45, 30, 70, 55, 90};
const QColor barColour = QColor::fromRgbF(0.2f, 0.4f, 0.9f);
const QColor lineColour = QColor::fromRgbF(0.9f, 0.3f, 0.1f);

bool near(QRgb pixel, const QColor& colour)
{
    return std::abs(qRed(pixel) - colour.red()) <= 24 && std::abs(qGreen(pixel) - colour.green()) <= 24 &&
           std::abs(qBlue(pixel) - colour.blue()) <= 24;
}

// The rows of each column painted in `colour`.
std::map<int, std::vector<int>> columnsOf(const QImage& image, const QColor& colour)
{
    std::map<int, std::vector<int>> columns;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (near(image.pixel(x, y), colour))
                columns[x].push_back(y);
    return columns;
}

class CMakePackage : public ::testing::Test {
protected:
    QTemporaryDir scratch;
    QString prefix() const { return scratch.filePath(QStringLiteral("prefix")); }
    QString installed(const QString& path) const { return prefix() + QLatin1Char('/') + path; }
    CommandResult cmake(const QStringList& arguments)
    {
        return runCommand(QStringLiteral(QM_CMAKE_COMMAND), arguments, QProcessEnvironment::systemEnvironment(), 600);
    }
    void install()
    {
        const CommandResult r =
            cmake({QStringLiteral("--install"), QStringLiteral(QM_BUNDLE_DIR), QStringLiteral("--prefix"), prefix(),
                   QStringLiteral("--component"), QStringLiteral("Development")});
        ASSERT_TRUE(r.succeeded()) << r.report();
    }
};

TEST_F(CMakePackage, InstallsHeadersArchivesAndConfigOfTheChartLibraryAlone)
{
    install();
    const QString lib = QStringLiteral(QM_INSTALL_LIBDIR);
    for (const QString& path :
         {QStringLiteral("include/quillmarrow/kit/ui/View.h"), QStringLiteral("include/quillmarrow/kit/base/Color.h"),
          QStringLiteral("include/quillmarrow/charts/bar/BarChart.h"),
          QStringLiteral("include/quillmarrow/charts/pie/PieChart.h"),
          lib + QStringLiteral("/cmake/Quillmarrow/QuillmarrowConfig.cmake"),
          lib + QStringLiteral("/cmake/Quillmarrow/QuillmarrowConfigVersion.cmake"),
          lib + QStringLiteral("/cmake/Quillmarrow/QuillmarrowTargets.cmake"),
          lib + QStringLiteral("/pkgconfig/quillmarrow.pc")})
        EXPECT_TRUE(QFile::exists(installed(path))) << path.toStdString();
    QStringList archives = QDir(installed(lib)).entryList({QStringLiteral("*.a")}, QDir::Files, QDir::Name);
    EXPECT_EQ(archives,
              QStringList(
                  {QStringLiteral("libquillmarrow_charts_axes.a"), QStringLiteral("libquillmarrow_charts_bar.a"),
                   QStringLiteral("libquillmarrow_charts_core.a"), QStringLiteral("libquillmarrow_charts_line.a"),
                   QStringLiteral("libquillmarrow_charts_overlays.a"), QStringLiteral("libquillmarrow_charts_pie.a"),
                   QStringLiteral("libquillmarrow_kit_base.a"), QStringLiteral("libquillmarrow_kit_ui.a")}));
    // The application's own layers and the counter are not part of it.
    const QStringList included =
        QDir(installed(QStringLiteral("include/quillmarrow"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_EQ(included, QStringList({QStringLiteral("charts"), QStringLiteral("kit")}));
    EXPECT_FALSE(QFile::exists(installed(QStringLiteral("bin"))));
}

TEST_F(CMakePackage, ExampleBuiltAgainstItDrawsBarsAndALine)
{
    install();
    // A sanitized build's archives need the sanitizers' runtime in the program too.
    const QString flags = QStringLiteral(QM_SANITIZE_FLAGS);
    const QString build = scratch.filePath(QStringLiteral("example"));
    const CommandResult configured = cmake(
        {QStringLiteral("-S"), QStringLiteral(QM_SOURCE_DIR "/examples/charts"), QStringLiteral("-B"), build,
         QStringLiteral("-G"), QStringLiteral(QM_CMAKE_GENERATOR), QStringLiteral("-DCMAKE_PREFIX_PATH=") + prefix(),
         QStringLiteral("-DCMAKE_CXX_COMPILER=" QM_CXX_COMPILER), QStringLiteral("-DCMAKE_BUILD_TYPE=Debug"),
         QStringLiteral("-DCMAKE_CXX_FLAGS=") + flags, QStringLiteral("-DCMAKE_EXE_LINKER_FLAGS=") + flags});
    ASSERT_TRUE(configured.succeeded()) << configured.report();
    const CommandResult built = cmake({QStringLiteral("--build"), build});
    ASSERT_TRUE(built.succeeded()) << built.report();

    const QString picture = scratch.filePath(QStringLiteral("charts.png"));
    QProcessEnvironment offscreen = QProcessEnvironment::systemEnvironment();
    offscreen.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const CommandResult ran = runCommand(build + QStringLiteral("/chart_example"),
                                         {QStringLiteral("--render"), picture}, offscreen, 60);
    ASSERT_TRUE(ran.succeeded()) << ran.report();
    const QImage image(picture);
    ASSERT_FALSE(image.isNull());

    // Six bars standing on one line, as high as their values from zero to the largest.
    const std::map<int, std::vector<int>> bars = columnsOf(image, barColour);
    std::vector<std::vector<int>> runs; // the columns of each bar
    for (const auto& [x, rows] : bars) {
        if (runs.empty() || runs.back().back() != x - 1)
            runs.emplace_back();
        runs.back().push_back(x);
    }
    ASSERT_EQ(runs.size(), sales.size());
    std::vector<double> heights;
    std::vector<int> bottoms;
    for (const std::vector<int>& run : runs) {
        const std::vector<int>& rows = bars.at(run[run.size() / 2]);
        heights.push_back(double(rows.size()));
        bottoms.push_back(rows.back());
    }
    for (std::size_t i = 0; i < sales.size(); ++i) {
        EXPECT_NEAR(heights[i], heights.back() * sales[i] / sales.back(), 2.0) << "bar " << i;
        EXPECT_NEAR(bottoms[i], bottoms.back(), 1) << "bar " << i;
    }

    // One line through six points evenly spaced across, at heights that
    // follow the values: y = a − b·value, fixed by the first and last point.
    const std::map<int, std::vector<int>> line = columnsOf(image, lineColour);
    ASSERT_FALSE(line.empty());
    const int left = line.begin()->first;
    const int right = line.rbegin()->first;
    EXPECT_EQ(int(line.size()), right - left + 1) << "the line is broken";
    auto middleAt = [&](double x) {
        const std::vector<int>& rows = line.at(int(std::lround(x)));
        return double(rows.front() + rows.back()) / 2;
    };
    // The round caps reach half the line's width (3) beyond its ends.
    const double first = left + 1.5;
    const double step = (right - left - 3.0) / double(sales.size() - 1);
    const double b = (middleAt(first) - middleAt(first + step * 5)) / (sales.back() - sales.front());
    const double a = middleAt(first) + b * sales.front();
    EXPECT_GT(b, 0) << "the line does not rise with its values";
    for (std::size_t i = 1; i + 1 < sales.size(); ++i)
        EXPECT_NEAR(middleAt(first + step * double(i)), a - b * sales[i], 3.0) << "point " << i;
}

} // namespace
} // namespace qm::install
