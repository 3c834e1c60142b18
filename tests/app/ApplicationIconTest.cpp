#include "app/lifecycle/ApplicationIcon.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace qm {
namespace {

TEST(ApplicationIcon, HoldsEveryPictureOfTheBundlesTheme)
{
    const QIcon icon = applicationIcon(kit::Bundle(QM_BUNDLE_DIR), QStringLiteral(QM_APP_ID));
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    QList<QSize> rendered;
    for (const int n : {16, 24, 32, 48, 64, 128, 256, 512})
        rendered << QSize(n, n);
    EXPECT_EQ(sizes, rendered);
    EXPECT_EQ(icon.pixmap(48).size(), QSize(48, 48));
}

TEST(ApplicationIcon, IsNullForABundleWithoutIt)
{
    QTemporaryDir bundle;
    ASSERT_TRUE(bundle.isValid());
    EXPECT_TRUE(applicationIcon(kit::Bundle(bundle.path().toStdString()), QStringLiteral(QM_APP_ID)).isNull());
    EXPECT_TRUE(applicationIcon(kit::Bundle(QM_BUNDLE_DIR), QStringLiteral("org.example.Other")).isNull());
}

// A bundle whose theme holds a picture of each of `sizes`, each filled with
// its own colour (grey of level n for an n by n picture), and a folder of
// another name that is not a size.
void makeTheme(const QString& root, std::initializer_list<int> sizes)
{
    for (const int n : sizes) {
        const QString folder = root + QStringLiteral("/share/icons/hicolor/%1x%1/apps").arg(n);
        ASSERT_TRUE(QDir().mkpath(folder));
        QImage picture(n, n, QImage::Format_ARGB32);
        picture.fill(qRgb(n, n, n));
        ASSERT_TRUE(picture.save(folder + QStringLiteral("/" QM_APP_ID ".png")));
    }
    ASSERT_TRUE(QDir().mkpath(root + QStringLiteral("/share/icons/hicolor/scalable/apps")));
}

QRgb middle(const QPixmap& pixmap)
{
    return pixmap.toImage().pixel(pixmap.width() / 2, pixmap.height() / 2);
}

// Asked for a size, the icon shows the smallest picture at least as large,
// shrunk to the size, or the largest one, never enlarged; the pictures are
// read only then, so one gone since the icon was made gives way to the next
// best, and a broken one too. On a screen of more device pixels to a pixel,
// the picture serves the size in device pixels.
TEST(ApplicationIcon, ShowsThePictureThatServesASizeBest)
{
    QTemporaryDir bundle;
    ASSERT_TRUE(bundle.isValid());
    makeTheme(bundle.path(), {16, 32, 64, 128});
    const QString theme = bundle.path() + QStringLiteral("/share/icons/hicolor/");
    const QIcon icon = applicationIcon(kit::Bundle(bundle.path().toStdString()), QStringLiteral(QM_APP_ID));
    EXPECT_EQ(icon.availableSizes(), (QList<QSize>{{16, 16}, {32, 32}, {64, 64}, {128, 128}}));

    EXPECT_EQ(middle(icon.pixmap(32)), qRgb(32, 32, 32));
    const QPixmap between = icon.pixmap(24);
    EXPECT_EQ(between.size(), QSize(24, 24));
    EXPECT_EQ(middle(between), qRgb(32, 32, 32));
    ASSERT_TRUE(QFile::remove(theme + QStringLiteral("128x128/apps/" QM_APP_ID ".png")));
    const QPixmap large = icon.pixmap(300);
    EXPECT_EQ(large.size(), QSize(64, 64)); // the 128 one is gone: the largest left
    EXPECT_EQ(middle(large), qRgb(64, 64, 64));

    QFile broken(theme + QStringLiteral("16x16/apps/" QM_APP_ID ".png"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a picture");
    broken.close();
    const QPixmap small = icon.pixmap(16);
    EXPECT_EQ(small.size(), QSize(16, 16)); // from the 32 one
    EXPECT_EQ(middle(small), qRgb(32, 32, 32));

    // On a screen of two device pixels to a pixel, a 32-pixel icon is
    // drawn from the 64-pixel picture, as a pixmap or straight onto the
    // screen.
    const QPixmap sharp = icon.pixmap(QSize(32, 32), 2.0);
    EXPECT_EQ(sharp.size(), QSize(64, 64));
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_EQ(middle(sharp), qRgb(64, 64, 64));
    QImage screen(64, 64, QImage::Format_ARGB32);
    screen.fill(Qt::white);
    screen.setDevicePixelRatio(2);
    {
        QPainter painter(&screen);
        icon.paint(&painter, QRect(0, 0, 32, 32));
    }
    EXPECT_EQ(screen.pixel(32, 32), qRgb(64, 64, 64));
    EXPECT_EQ(icon.actualSize(QSize(24, 24)), QSize(24, 24));
    EXPECT_EQ(icon.actualSize(QSize(40, 20)), QSize(20, 20));
}

} // namespace
} // namespace qm
