#include <gtest/gtest.h>

#include <QApplication>

// Every test executable runs with a QApplication on the offscreen platform, so widgets, fonts and
// images behave as in the program without a display. Started by hand, outside CTest, it takes the
// tests' own font configuration too, and so do the programs it starts.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
#ifdef PLUMERIC_TEST_FONTCONFIG
    if (qEnvironmentVariableIsEmpty("FONTCONFIG_FILE")) {
        qputenv("FONTCONFIG_FILE", PLUMERIC_TEST_FONTCONFIG);
    }
#endif
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
