#include "app/lifecycle/ApplicationIcon.h"

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

} // namespace
} // namespace qm
