// The About box: shown modally from Help, About Software once the menu item's handling is over;
// its two links; closed by OK, Enter, Escape or its close box; a fresh box each time.

#include "doubles/named_rows.h"
#include "expected_texts.h"
#include "forms/frmAbout.h"
#include "forms/frmMain.h"
#include "forms_fixture.h"
#include "widgets/link_label.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <functional>

namespace ssn::forms::test {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

class AboutBoxTest : public FormsTest {
protected:
    void SetUp() override { main.show(); }

    // Chooses Help, About Software and runs `whileOpen` inside the modal wait.
    void openAbout(const std::function<void(frmAbout&)>& whileOpen) {
        bool ran = false;
        // The box opens once the menu item's handling is over, and this runs inside its modal wait.
        // Assistive technology that chose the item is not kept waiting for the box.
        control<QAction>(main, "mnuAbout")->trigger();
        EXPECT_FALSE(forms->isLoaded<frmAbout>());
        QTimer::singleShot(0, &main, [&] {
            ran = true;
            frmAbout& about = forms->about();
            EXPECT_TRUE(about.isVisible());
            whileOpen(about);
            if (about.isVisible()) {
                control<QPushButton>(about, "cmdOK")->click(); // never leave the test waiting
            }
        });
        EXPECT_TRUE(QTest::qWaitFor([&ran] { return ran; }));
    }

    frmMain& main = forms->main();
};

// Its texts are in the table of window_texts_test.cpp.
TEST_F(AboutBoxTest, ShowsModally) {
    openAbout([this](frmAbout& about) {
        EXPECT_EQ(QApplication::activeModalWidget(), &about) << "the main window takes no input meanwhile";
        EXPECT_EQ(about.windowHandle()->transientParent(), main.windowHandle())
            << "it belongs to the main window";
        EXPECT_TRUE(QAccessible::queryAccessibleInterface(&about)->state().modal);
    });
}

TEST_F(AboutBoxTest, TheLinksOpenTheHomePageAndTheFullyBrandedPageAndLeaveTheBoxOpen) {
    openAbout([this](frmAbout& about) {
        QTest::mouseClick(control(about, "lblHomePage"), Qt::LeftButton);
        EXPECT_TRUE(about.isVisible());
        QTest::mouseClick(control(about, "lblCoBrand"), Qt::LeftButton);
        EXPECT_TRUE(about.isVisible());
        EXPECT_EQ(fake.urlOpener.urls,
                  (std::vector<QString>{expected::kHomePage, expected::kFullyBrandedPage}));
    });
}

struct CloseCase {
    const char* name;
    std::function<void(frmAbout&)> close;
};

class AboutCloseTest : public AboutBoxTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(AboutCloseTest, ClosesTheBoxAndTheMainWindowIsUsableAgain) {
    openAbout([](frmAbout& about) { GetParam().close(about); });
    EXPECT_FALSE(forms->isLoaded<frmAbout>());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(fake.urlOpener.urls.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, AboutCloseTest,
    ::testing::Values(
        CloseCase{"OkButton", [](frmAbout& a) { QTest::mouseClick(control(a, "cmdOK"), Qt::LeftButton); }},
        CloseCase{"EnterOnOk", [](frmAbout& a) { QTest::keyClick(control(a, "cmdOK"), Qt::Key_Return); }},
        CloseCase{"Escape", [](frmAbout& a) { QTest::keyClick(control(a, "cmdOK"), Qt::Key_Escape); }},
        CloseCase{"CloseBox", [](frmAbout& a) { a.close(); }}),
    byName);

// A box that was not loaded afresh would still show what the first one was given; its address
// tells nothing, because the first may be deleted already and its memory used again.
TEST_F(AboutBoxTest, ChosenTwiceItShowsTheSameBoxFreshlyLoaded) {
    openAbout([](frmAbout& about) { control<QLabel>(about, "Label2")->setText(QStringLiteral("changed")); });
    QString secondCaption;
    openAbout([&](frmAbout& about) { secondCaption = control<QLabel>(about, "Label2")->text(); });
    EXPECT_EQ(secondCaption, expected::kDesignedCaption);
}

} // namespace
} // namespace ssn::forms::test
