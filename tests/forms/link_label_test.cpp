// Link labels: a click is a press and a release on the label, the keyboard activates them,
// and the covered one of two stacked advertisements is passed over by Tab.

#include "forms/frmMain.h"
#include "forms/link_label.h"
#include "forms_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <ostream>

namespace ssn::forms::test {
namespace {

struct ActivationCase {
    const char* name;
    std::function<void(LinkLabel&)> act;
    int clicks;
};

void PrintTo(const ActivationCase& row, std::ostream* out) {
    *out << row.name;
}

class LinkLabelActivationTest : public ::testing::TestWithParam<ActivationCase> {};

TEST_P(LinkLabelActivationTest, ClicksOnlyWhenActivated) {
    LinkLabel label(QStringLiteral("Click here"));
    label.resize(100, 20);
    label.show();
    QSignalSpy clicked(&label, &LinkLabel::clicked);
    GetParam().act(label);
    EXPECT_EQ(clicked.count(), GetParam().clicks);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, LinkLabelActivationTest,
    ::testing::Values(
        ActivationCase{"LeftClick", [](LinkLabel& l) { QTest::mouseClick(&l, Qt::LeftButton); }, 1},
        ActivationCase{"RightClick", [](LinkLabel& l) { QTest::mouseClick(&l, Qt::RightButton); }, 0},
        ActivationCase{"ReleasedOutside",
                       [](LinkLabel& l) {
                           QTest::mousePress(&l, Qt::LeftButton);
                           QTest::mouseRelease(&l, Qt::LeftButton, {}, QPoint(150, 10));
                       },
                       0},
        ActivationCase{"ReleaseWithoutPress", [](LinkLabel& l) { QTest::mouseRelease(&l, Qt::LeftButton); },
                       0},
        ActivationCase{"Enter", [](LinkLabel& l) { QTest::keyClick(&l, Qt::Key_Return); }, 1},
        ActivationCase{"KeypadEnter", [](LinkLabel& l) { QTest::keyClick(&l, Qt::Key_Enter); }, 1},
        ActivationCase{"Space", [](LinkLabel& l) { QTest::keyClick(&l, Qt::Key_Space); }, 1},
        ActivationCase{"OtherKey", [](LinkLabel& l) { QTest::keyClick(&l, Qt::Key_A); }, 0}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(LinkLabelTest, ShowsAnAmpersandAsItselfWithAHandPointer) {
    LinkLabel label(QStringLiteral("name &  link"));
    EXPECT_EQ(label.text(), "name &  link");
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

class CoveredLinkTest : public FormsTest {
protected:
    void SetUp() override {
        main.show();
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    }

    QWidget* tabFrom(QWidget* start) {
        start->setFocus(Qt::TabFocusReason);
        QTest::keyClick(start, Qt::Key_Tab);
        return QApplication::focusWidget();
    }

    frmMain& main = forms->main();
};

TEST_F(CoveredLinkTest, TabPassesOverTheCoveredAdvertisement) {
    EXPECT_EQ(tabFrom(main.cmdNext), main.Label61);
    EXPECT_EQ(tabFrom(main.Label61), main.lblFullBrand) << "lblCobrand lies behind and cannot be seen";

    main.lblCobrand->raise();
    EXPECT_EQ(tabFrom(main.Label61), main.lblCobrand);
    EXPECT_EQ(tabFrom(main.lblCobrand), main.txtFirstName) << "lblFullBrand now lies behind";
}

} // namespace
} // namespace ssn::forms::test
