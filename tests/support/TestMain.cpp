#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

// Every test binary runs inside a QApplication on the offscreen platform, so
// code that needs the main event loop, fonts or painting works without a display.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
