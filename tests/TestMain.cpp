#include <gtest/gtest.h>

#include <QApplication>

// Every test executable runs with a QApplication on the offscreen platform, so widgets, fonts and
// images behave as in the program without a display.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
