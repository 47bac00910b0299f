// The exit screen through its real controls: its layout, texts, fonts and colours, the tab
// order and access keys, the load sequence, the placeholder and no-space rules of the
// refer-a-friend fields, the submission with its checks and URL, and the two links.

#include "doubles/named_rows.h"
#include "exit_fixture.h"
#include "widgets/link_label.h"

#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QStyleOption>
#include <cstdlib>
#include <map>
#include <vector>

namespace ssn::forms::test::exit {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

using Screen = frmNagScreen2;

class ExitScreenTest : public ExitTest {};

TEST_F(ExitScreenTest, TheWindowIsWhiteCentredOfItsDesignedSizeWithACloseBoxOnly) {
    Screen& screen = exitByFileExit();
    EXPECT_EQ(screen.size(), QSize(741, 315));
    EXPECT_EQ(screen.minimumSize(), screen.maximumSize()) << "the size is fixed";
    EXPECT_EQ(screen.palette().color(QPalette::Window), QColor(255, 255, 255));
    EXPECT_TRUE(screen.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(screen.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(screen.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    // Centred by its outer frame (none here; the end-to-end tests check a window manager's).
    const QPoint offCentre =
        screen.frameGeometry().center() - QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE(std::abs(offCentre.x()), 1);
    EXPECT_LE(std::abs(offCentre.y()), 1);
}

// What a person sees of the layout: each control lies whole inside the window or its frame,
// below the frame's caption, clear of its neighbours, with room for its text. The message box
// is the exception: it lies below its frame, out of sight, as designed.
TEST_F(ExitScreenTest, EveryControlShowsWholeClearOfItsNeighboursWithRoomForItsText) {
    Screen& screen = exitByFileExit();
    if (QFontInfo(screen.font()).family().isEmpty()) {
        GTEST_SKIP() << "no font to measure text in: the offscreen platform on Windows has none";
    }
    for (const QWidget* container : std::initializer_list<const QWidget*>{&screen, control(screen, "Frame6"),
                                                                          control(screen, "Frame2")}) {
        const int caption = container == &screen ? 0 : container->fontMetrics().height();
        const QRect room = container->rect().adjusted(0, caption, 0, 0);
        QList<QWidget*> controls = container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        controls.removeOne(control(screen, "txtMessage"));
        for (const QWidget* control : controls) {
            // A frame's caption is its title; the other controls' is their text.
            const QString text = control->property("title").toString() + control->property("text").toString();
            const std::string name =
                (QLatin1String(control->metaObject()->className()) + u' ' + text.left(40)).toStdString();
            EXPECT_TRUE(room.contains(control->geometry())) << name;
            for (const QWidget* other : controls) {
                EXPECT_TRUE(other == control || !other->geometry().intersects(control->geometry()))
                    << name << " overlaps " << other->metaObject()->className();
            }
            const auto* label = qobject_cast<const QLabel*>(control);
            if (label != nullptr && label->wordWrap()) {
                EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
            } else {
                EXPECT_LE(control->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&'))),
                          control->width())
                    << name;
            }
        }
    }
}

// Its texts are in the table of window_texts_test.cpp.
TEST_F(ExitScreenTest, KeepsTheMessagesLineBreakStartsUncheckedAndTellsScreenReadersWhatItSays) {
    Screen& screen = exitByFileExit();
    EXPECT_EQ(screen.messageText(), "Your Message\r\n") << "the box shows it as a line break";
    EXPECT_FALSE(control<QCheckBox>(screen, "Check1")->isChecked());
    EXPECT_TRUE(control<QLabel>(screen, "Label3")->wordWrap());
    // What a screen reader reads besides the names: the box's purpose, and the window's message,
    // the support message drawn at its load (the first, for a draw of 0) and the promotion.
    EXPECT_EQ(control<QCheckBox>(screen, "Check1")->accessibleDescription(),
              "Opens the Velmora home page in the web browser; the box stays unchecked");
    EXPECT_EQ(screen.accessibleDescription(), kSupportMessages[0] + "\n" + expected::kPromotion.simplified());
}

// Where the design leaves the font to the toolkit (the window, the referral fields, Exit), the
// controls take the design's default, MS Sans Serif 8.25 pt, whatever the desktop's font: with a
// 14-pt desktop font the line of text, ascent to descent, still fits inside each box's frame,
// so the tails of g, p and y are not cut.
class DefaultFontTest : public ExitTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        QFont large = m_desktop;
        large.setPointSizeF(14);
        QApplication::setFont(large);
        ExitTest::SetUp();
    }
    void TearDown() override {
        ExitTest::TearDown();
        QApplication::setFont(m_desktop);
    }

private:
    QFont m_desktop = QApplication::font();
};

// The room a box leaves for its line of text: inside the frame of a field, inside the bevel of
// a button.
QRect textRoom(QWidget& control) {
    if (auto* field = qobject_cast<QLineEdit*>(&control)) {
        QStyleOptionFrame frame;
        frame.initFrom(field);
        frame.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, field);
        return field->style()->subElementRect(QStyle::SE_LineEditContents, &frame, field);
    }
    QStyleOptionButton button;
    button.initFrom(&control);
    return control.style()->subElementRect(QStyle::SE_PushButtonContents, &button, &control);
}

TEST_P(DefaultFontTest, TextFitsItsBoxWhateverTheDesktopsFont) {
    Screen& screen = exitByFileExit();
    const std::map<std::string, std::vector<QWidget*>> kinds = {
        {"Fields",
         {control(screen, "txtName"), control(screen, "txtEmail"), control(screen, "txtFriendName"),
          control(screen, "txtFriendEmail")}},
        {"ExitButton", {control(screen, "cmdClose")}}};
    for (QWidget* control : kinds.at(GetParam())) {
        const QString text = control->property("text").toString();
        EXPECT_EQ(control->font().family(), "MS Sans Serif") << text.toStdString();
        EXPECT_EQ(control->font().pointSizeF(), 8.25) << text.toStdString();
        const QFontMetrics metrics(control->font());
        const QRect room = textRoom(*control);
        EXPECT_LE(metrics.height(), room.height()) << text.toStdString();
        if (qobject_cast<QPushButton*>(control) != nullptr) { // a field scrolls its text sideways
            EXPECT_LE(metrics.horizontalAdvance(text), room.width()) << text.toStdString();
        }
    }
    EXPECT_EQ(screen.font().family(), "MS Sans Serif") << "the window's own";
}

INSTANTIATE_TEST_SUITE_P(Controls, DefaultFontTest, ::testing::Values("Fields", "ExitButton"),
                         [](const auto& row) { return std::string(row.param); });

TEST_F(ExitScreenTest, TheTitleUsesItsDesignedFaceAndEndsBeforeThePromotionFrame) {
    const QLabel* title = control<QLabel>(exitByFileExit(), "lblNagScreen2Caption");
    EXPECT_EQ(title->font().family(), "MS Sans Serif");
    EXPECT_LE(title->font().pointSizeF(), 18.0);
    EXPECT_LT(title->geometry().right(), control(forms->nagScreen2(), "Frame6")->x());
    EXPECT_GE(title->width(), title->sizeHint().width()) << "the whole title fits its label";
}

TEST_F(ExitScreenTest, FramesAreNavyWithWhiteCaptionsAndTheLinksHaveTheirColoursAndHand) {
    Screen& screen = exitByFileExit();
    for (const QWidget* frame : {control(screen, "Frame6"), control(screen, "Frame2")}) {
        EXPECT_EQ(frame->palette().color(QPalette::Window), QColor(0, 0, 128));
        EXPECT_EQ(frame->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        EXPECT_TRUE(frame->autoFillBackground());
    }
    EXPECT_EQ(control(screen, "Label3")->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    EXPECT_EQ(control(screen, "lblGoToHome")->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    EXPECT_FALSE(control(screen, "lblGoToHome")->autoFillBackground()) << "transparent over the navy frame";
    EXPECT_EQ(control(screen, "Check1")->palette().color(QPalette::WindowText), QColor(0, 0, 192));
    EXPECT_EQ(control(screen, "lblGoToHome")->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(control(screen, "Check1")->cursor().shape(), Qt::PointingHandCursor);
    // The text boxes keep the light desktop's black on white, not the frame's white text.
    EXPECT_EQ(control(screen, "txtName")->palette().color(QPalette::Text), QColor(0, 0, 0));
    EXPECT_EQ(control(screen, "txtName")->palette().color(QPalette::Base), QColor(255, 255, 255));
}

// Below the visible part of its frame, the message box is hidden: Tab passes it by (the tab order
// below) and assistive technology does not find it; a referral sends its text all the same.
TEST_F(ExitScreenTest, TheMessageBoxIsNoPartOfWhatAssistiveTechnologyFinds) {
    Screen& screen = openExitScreen();
    QSet<QObject*> found;
    std::vector<QAccessibleInterface*> pending = {QAccessible::queryAccessibleInterface(&screen)};
    while (!pending.empty()) {
        QAccessibleInterface* node = pending.back();
        pending.pop_back();
        found.insert(node->object());
        for (int i = 0; i < node->childCount(); ++i) {
            pending.push_back(node->child(i));
        }
    }
    EXPECT_TRUE(found.contains(control(screen, "txtFriendName")));
    EXPECT_FALSE(found.contains(control(screen, "txtMessage")));
}

TEST_F(ExitScreenTest, OpensWithTheFocusOnExitAndTabFollowsTheTabIndexes) {
    Screen& screen = openExitScreen();
    ASSERT_EQ(QApplication::focusWidget(), control(screen, "cmdClose"));
    std::vector<QWidget*> expected;
    for (const char* name : {"Check1", "txtName", "cmdSubmit", "txtEmail", "txtFriendEmail", "txtFriendName",
                             "lblGoToHome", "cmdClose"}) {
        expected.push_back(control(screen, name));
    }
    std::vector<QWidget*> visited;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(ExitScreenTest, AltNSubmitsAndAltXEndsTheProgram) {
    Screen& screen = openExitScreen();
    // An access key presses its button as a click would, which lets the press be seen briefly.
    QTest::keyClick(&screen, Qt::Key_N, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !fake.messageBox.shown.empty(); }));
    EXPECT_EQ(fake.messageBox.shown[0].text, "Please Enter Proper Email Address");
    EXPECT_FALSE(fake.processEnd.exitCode.has_value());

    QTest::keyClick(&screen, Qt::Key_X, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([this] { return fake.processEnd.exitCode.has_value(); }));
    EXPECT_EQ(fake.processEnd.exitCode, 0);
    EXPECT_EQ(fake.messageBox.shown.size(), 1u);
}

// --- Load sequence

// Notes what the window looked like when it was made topmost, and shows it.
class ObservingTopmost : public platform::TopmostWindow {
public:
    void showTopmostWithoutActivating(QWidget& window) override {
        auto& screen = dynamic_cast<frmNagScreen2&>(window);
        calls.push_back({screen.windowTitle(), control<QLabel>(screen, "lblNagScreen2Caption")->text(),
                         control<QLabel>(screen, "Label2")->text(), !screen.windowIcon().isNull(),
                         !control<QLabel>(screen, "picNagscreen2Icon")->pixmap().isNull(),
                         screen.isVisible()});
        window.show();
    }

    struct Seen {
        QString title;
        QString caption;
        QString message;
        bool hasIcon;
        bool hasPicture;
        bool wasVisible;
    };
    std::vector<Seen> calls;
};

struct DrawCase {
    float r;
    int message;
};

class LoadSequenceTest : public ::testing::TestWithParam<DrawCase> {
protected:
    void TearDown() override {
        forms.reset();
        flushDeferredDeletes();
    }

    ssn::testing::FakePlatform fake;
    ObservingTopmost topmost;
    std::unique_ptr<Forms> forms = std::make_unique<Forms>(fake.bundle(nullptr, &topmost));
};

TEST_P(LoadSequenceTest, SetsTitleAndIconReseedsDrawsAMessageThenBecomesTopmost) {
    forms->nagScreen();
    std::vector<std::string> uses;
    fake.random.onUse = [&uses](bool isDraw) { uses.push_back(isDraw ? "draw" : "seed"); };
    fake.random.values = {GetParam().r};

    control<QAction>(forms->main(), "mnuExit")->trigger();

    EXPECT_EQ(uses, (std::vector<std::string>{"seed", "draw"})) << "the exit screen seeds again at its load";
    ASSERT_EQ(topmost.calls.size(), 1u);
    const ObservingTopmost::Seen& seen = topmost.calls[0];
    EXPECT_EQ(seen.title, kRunTimeCaption);
    EXPECT_EQ(seen.caption, kRunTimeCaption);
    EXPECT_EQ(seen.message, kSupportMessages[static_cast<std::size_t>(GetParam().message)]);
    EXPECT_TRUE(seen.hasIcon);
    EXPECT_TRUE(seen.hasPicture);
    EXPECT_FALSE(seen.wasVisible) << "the design-time message is never seen";

    frmNagScreen2& screen = forms->nagScreen2();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(screen.windowIcon().cacheKey(), forms->nagScreen().windowIcon().cacheKey())
        << "the icon is the start-up form's image 1";
}

INSTANTIATE_TEST_SUITE_P(Draws, LoadSequenceTest,
                         ::testing::Values(DrawCase{0.0f, 0}, DrawCase{0.2499f, 0}, DrawCase{0.25f, 1},
                                           DrawCase{0.5f, 2}, DrawCase{0.75f, 3}, DrawCase{0.99999994f, 3}));

// --- Links

TEST_F(ExitScreenTest, Check1OpensTheHomePageOnceAndEndsUnchecked) {
    Screen& screen = openExitScreen();
    auto* check = control<QCheckBox>(screen, "Check1");
    QTest::mouseClick(check, Qt::LeftButton);
    EXPECT_EQ(fake.urlOpener.urls, std::vector<QString>{kHomePage});
    EXPECT_FALSE(check->isChecked());

    check->setFocus(Qt::TabFocusReason);
    QTest::keyClick(check, Qt::Key_Space);
    EXPECT_EQ(fake.urlOpener.urls, (std::vector<QString>{kHomePage, kHomePage}));
    EXPECT_FALSE(check->isChecked());

    doubleClick(*check);
    EXPECT_EQ(fake.urlOpener.urls.size(), 3U) << "a double-click opens the page once";
    EXPECT_FALSE(check->isChecked());
    EXPECT_TRUE(screen.isVisible()) << "following a link leaves the window open";
}

TEST_F(ExitScreenTest, TheSoftwareLinkOpensTheDownloadsPage) {
    Screen& screen = openExitScreen();
    QTest::mouseClick(control(screen, "lblGoToHome"), Qt::LeftButton);
    EXPECT_EQ(fake.urlOpener.urls, std::vector<QString>{kSoftwareDownloadsPage});
    EXPECT_TRUE(screen.isVisible());
}

} // namespace
} // namespace ssn::forms::test::exit
