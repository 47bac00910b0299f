// The start-up style: the main window is built and painted without loading any image plugin,
// and looks exactly as under the desktop's own style. Each check runs in a fresh process (a
// death test), because a plugin once loaded stays loaded.

#include "forms/built_in_bitmaps_style.h"
#include "forms/frmMain.h"
#include "forms/frmNagScreen.h"
#include "startup_run.h"

#include <QApplication>
#include <QImage>
#include <QStyleFactory>
#include <cstdlib>
#include <fstream>
#include <string>

namespace ssn::forms::test::startup {
namespace {

bool anyImagePluginLoaded() {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find("/imageformats/") != std::string::npos ||
            line.find("/iconengines/") != std::string::npos)
            return true;
    }
    return false;
}

// Starts the program over the doubles and paints the main window; ends the process with 0
// when no image plugin was loaded, 1 when one was.
[[noreturn]] void startPaintAndReport() {
    StartupRun run;
    frmMain& main = run.forms->main();
    run.forms->nagScreen();
    (void)main.grab(); // paints every control, the group boxes' frames among them
    std::_Exit(anyImagePluginLoaded() ? 1 : 0);
}

class BuiltInBitmapsStyleDeathTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(BuiltInBitmapsStyleDeathTest, TheMainWindowComesUpWithoutAnyImagePlugin) {
    EXPECT_EXIT(
        {
            QApplication::setStyle(new BuiltInBitmapsStyle);
            startPaintAndReport();
        },
        ::testing::ExitedWithCode(0), "");
}

// The check above can fail: under the plain style the same start loads the plugins.
TEST_F(BuiltInBitmapsStyleDeathTest, ThePlainStyleLoadsThemForTheSameWindow) {
    EXPECT_EXIT(
        {
            QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
            startPaintAndReport();
        },
        ::testing::ExitedWithCode(1), "");
}

TEST(BuiltInBitmapsStyleTest, TheMainWindowLooksTheSameAsUnderTheDesktopStyle) {
    const auto paintedMainWindow = [] {
        StartupRun run;
        run.random.values = {0.0f, 0.0f};
        run.forms->nagScreen();
        return run.forms->main().grab().toImage();
    };
    const QImage plain = paintedMainWindow();
    QApplication::setStyle(new BuiltInBitmapsStyle);
    const QImage withStyle = paintedMainWindow();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_FALSE(plain.isNull());
    EXPECT_EQ(withStyle, plain);
}

} // namespace
} // namespace ssn::forms::test::startup
