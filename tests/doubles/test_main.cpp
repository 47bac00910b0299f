#include "widgets/accessibility.h"

#include <QApplication>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery runs this program outside ctest's environment; it must not need a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    // The controls as assistive technology sees them in the program; the windows install their own.
    ssn::widgets::InstallAccessibleInterfaces();
    return RUN_ALL_TESTS();
}
