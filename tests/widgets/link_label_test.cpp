// Link labels: a click is a press and a release on the label, a double-click is one click, and
// the keyboard and assistive technology activate them.

#include "doubles/mouse_input.h"
#include "doubles/named_rows.h"
#include "widgets/link_label.h"
#include "widgets/look.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace ssn::widgets::test {
namespace {

using ssn::testing::byName;
using ssn::testing::doubleClick;
using ssn::testing::PrintTo;

struct ActivationCase {
    const char* name;
    std::function<void(LinkLabel&)> act;
    int clicks;
};

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
        ActivationCase{"DoubleClick", [](LinkLabel& l) { doubleClick(l); }, 1},
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
        ActivationCase{"OtherKey", [](LinkLabel& l) { QTest::keyClick(&l, Qt::Key_A); }, 0},
        // Assistive technology is not kept waiting: the click is made once the action has returned.
        ActivationCase{"AccessiblePress",
                       [](LinkLabel& l) {
                           QSignalSpy during(&l, &LinkLabel::clicked);
                           QAccessibleActionInterface* actions =
                               QAccessible::queryAccessibleInterface(&l)->actionInterface();
                           ASSERT_NE(actions, nullptr);
                           actions->doAction(QAccessibleActionInterface::pressAction());
                           EXPECT_EQ(during.count(), 0);
                           QCoreApplication::processEvents();
                       },
                       1}),
    byName);

TEST(LinkLabelTest, ShowsAnAmpersandAsItselfWithAHandPointer) {
    LinkLabel label(QStringLiteral("name &  link"));
    EXPECT_EQ(label.text(), "name &  link");
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

// Link labels draw their caption from a layout kept across windows; what reaches the screen must
// be exactly what a plain focusable label draws, the first time and when the layout is reused.
struct CaptionLookCase {
    const char* name;
    const char* caption;
    QFont font;
    Qt::Alignment alignment;
    QSize size;
};

QImage drawn(QLabel& label, const CaptionLookCase& row) {
    label.setFont(row.font);
    label.setAlignment(row.alignment);
    label.setWordWrap(true);
    label.setFocusPolicy(Qt::TabFocus);
    label.resize(row.size);
    return label.grab().toImage();
}

class LinkLabelLookTest : public ::testing::TestWithParam<CaptionLookCase> {};

TEST_P(LinkLabelLookTest, DrawsItsCaptionAsAPlainLabelWould) {
    const CaptionLookCase& row = GetParam();
    QLabel plain;
    plain.setTextFormat(Qt::PlainText);
    plain.setText(QString::fromUtf8(row.caption));
    const QImage expected = drawn(plain, row);

    LinkLabel first(QString::fromUtf8(row.caption));
    EXPECT_EQ(drawn(first, row), expected);
    LinkLabel reusingTheLayout(QString::fromUtf8(row.caption));
    EXPECT_EQ(drawn(reusingTheLayout, row), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Captions, LinkLabelLookTest,
    ::testing::Values(
        CaptionLookCase{"SponsorLine",
                        "The Most Popular Online Zorvic Discussion Board. Best Resource For Everything "
                        "Zorvic. Visit Velmora Now",
                        look::verdana(9, {.underline = true}), Qt::AlignCenter, QSize(409, 41)},
        CaptionLookCase{"LeftAlignedShortLink", "Click here for more details.",
                        look::verdana(8.25, {.underline = true}), Qt::AlignLeft | Qt::AlignTop,
                        QSize(157, 17)},
        CaptionLookCase{"NarrowerThanItsText", "Click Here To Visit Zorvic Softwares",
                        look::verdana(9, {.bold = true, .underline = true}), Qt::AlignLeft | Qt::AlignVCenter,
                        QSize(120, 40)}),
    byName);

} // namespace
} // namespace ssn::widgets::test
