// Leaving the program: the main window and the result window hand over to the exit screen,
// Back puts the exit screen away again until a later exit, and the exit screen's Exit button
// and close box end the program through EndProgram.

#include "doubles/named_rows.h"
#include "exit_fixture.h"
#include "forms/frmSubconciousSelfNumber.h"
#include "platform/qt/qt_message_box.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <string>

namespace ssn::forms::test::exit {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

std::vector<QWidget*> visibleWindows() {
    std::vector<QWidget*> result;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            result.push_back(widget);
        }
    }
    return result;
}

// The windows on screen each time the exit screen is asked to take the keyboard. The window
// system would act on a request only later, when the closing window is gone whatever the order
// was; so the exit screen is marked as a window that takes no keyboard, and Qt then reports each
// request at once (a warning) instead of passing it on.
class ActivationWatch : public QObject {
public:
    ActivationWatch() : m_previous(qInstallMessageHandler(record)) {
        s_watch = this;
        QCoreApplication::instance()->installEventFilter(this);
        for (QWidget* window : QApplication::topLevelWidgets())
            mark(window);
    }
    ~ActivationWatch() override { qInstallMessageHandler(m_previous); }

    std::vector<std::vector<QWidget*>> requests;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show)
            mark(watched);
        return false;
    }

private:
    static void mark(QObject* window) {
        auto* screen = qobject_cast<frmNagScreen2*>(window);
        if (screen != nullptr && screen->windowHandle() != nullptr)
            screen->windowHandle()->setFlag(Qt::WindowDoesNotAcceptFocus);
    }
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (message.contains(QLatin1String("requestActivate()")))
            s_watch->requests.push_back(visibleWindows());
        else
            s_watch->m_previous(type, context, message);
    }

    static inline ActivationWatch* s_watch = nullptr;
    QtMessageHandler m_previous;
};

class HandOffTest : public ExitTest {
protected:
    // The names JOHN SMITH and a valid date, then Next: the result window is up.
    frmSubconciousSelfNumber& showResult() {
        control<QLineEdit>(main(), "txtFirstName")->setText(QStringLiteral("JOHN"));
        control<QLineEdit>(main(), "txtLastName")->setText(QStringLiteral("SMITH"));
        control<QComboBox>(main(), "cboYear")->setCurrentIndex(84); // 1984
        control<QPushButton>(main(), "cmdNext")->click();
        EXPECT_TRUE(forms->isLoaded<frmSubconciousSelfNumber>());
        return forms->result();
    }

    void expectOnlyTheExitScreenUp() {
        flushDeferredDeletes();
        ASSERT_EQ(loadedCount<frmNagScreen2>(*forms), 1);
        frmNagScreen2& screen = forms->nagScreen2();
        EXPECT_EQ(visibleWindows(), std::vector<QWidget*>{&screen});
        EXPECT_EQ(fake.topmost.windows, std::vector<QWidget*>{&screen}) << "made topmost once, at its load";
        EXPECT_TRUE(forms->isLoaded<frmNagScreen>());
        EXPECT_FALSE(forms->nagScreen().isVisible());
        EXPECT_FALSE(fake.processEnd.exitCode.has_value()) << "the program goes on";
    }
};

struct LeaveCase {
    const char* name;
    bool resultWindow; // else the main window goes
    std::function<void(Form&)> leave;
};

class LeaveTest : public HandOffTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(LeaveTest, ShowsTheExitScreenOnceAndHandsItTheKeyboardOnceTheWindowHasGone) {
    const bool fromResult = GetParam().resultWindow;
    Form& closing = fromResult ? static_cast<Form&>(showResult()) : main();
    const int seedsAtStart = fake.random.seeds;
    ShowWatch watch;
    ActivationWatch activations;
    GetParam().leave(closing);

    expectOnlyTheExitScreenUp();
    EXPECT_EQ(forms->isLoaded<frmMain>(), fromResult)
        << "the main window stays loaded, hidden, behind the result";
    EXPECT_FALSE(forms->isLoaded<frmSubconciousSelfNumber>());
    EXPECT_EQ(watch.shows<frmNagScreen2>(), 1);
    EXPECT_EQ(watch.shown.size(), 1u);
    EXPECT_EQ(fake.random.seeds, seedsAtStart + 1) << "loaded once";
    EXPECT_EQ(activations.requests, std::vector<std::vector<QWidget*>>(1, {&forms->nagScreen2()}))
        << "asked once, with no other window left on screen";
}

// The File, Exit row is also the main window's test of its Exit item.
INSTANTIATE_TEST_SUITE_P(Ways, LeaveTest,
                         ::testing::Values(LeaveCase{"FileExit", false,
                                                     [](Form& m) {
                                                         control<QAction>(m, "mnuExit")->trigger();
                                                     }},
                                           LeaveCase{"MainCloseBox", false, [](Form& m) { m.close(); }},
                                           LeaveCase{"ResultCloseBox", true, [](Form& r) { r.close(); }}),
                         byName);

TEST_F(HandOffTest, BackLeavesTheMainWindowWithItsInputAndTheExitScreenLoadedButHidden) {
    frmSubconciousSelfNumber& result = showResult();
    ShowWatch watch;
    ActivationWatch activations;
    control<QPushButton>(result, "cmdback")->click();
    flushDeferredDeletes();
    EXPECT_EQ(watch.onScreen, 1) << "only the main window reached the screen, the exit screen did not";
    EXPECT_TRUE(activations.requests.empty());

    EXPECT_FALSE(forms->isLoaded<frmSubconciousSelfNumber>());
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(control<QLineEdit>(main(), "txtFirstName")->text(), "JOHN");
    EXPECT_EQ(control<QLineEdit>(main(), "txtLastName")->text(), "SMITH");
    EXPECT_EQ(control<QComboBox>(main(), "cboYear")->currentText(), "1984");
    EXPECT_EQ(loadedCount<frmNagScreen2>(*forms), 1);
    EXPECT_FALSE(forms->nagScreen2().isVisible());
    EXPECT_FALSE(forms->nagScreen().isVisible());
    EXPECT_EQ(visibleWindows(), std::vector<QWidget*>{&main()});
}

TEST_F(HandOffTest, ALaterExitShowsTheExitScreenOfBackWithItsMessageAndDrawsNothing) {
    fake.random.values = {0.5f};
    control<QPushButton>(showResult(), "cmdback")->click();
    flushDeferredDeletes();
    QPointer<frmNagScreen2> atBack = &forms->nagScreen2();
    ASSERT_EQ(control<QLabel>(*atBack, "Label2")->text(), kSupportMessages[2]);
    const int seedsAtBack = fake.random.seeds;
    fake.random.values = {0.99f}; // a new draw would pick message 3

    control<QAction>(main(), "mnuExit")->trigger();

    expectOnlyTheExitScreenUp();
    EXPECT_EQ(&forms->nagScreen2(), atBack.data());
    EXPECT_EQ(control<QLabel>(*atBack, "Label2")->text(), kSupportMessages[2]);
    EXPECT_EQ(fake.random.seeds, seedsAtBack);
    EXPECT_EQ(fake.random.values.size(), 1u) << "nothing was drawn";
}

// A message belongs to the window the person is in, not to the main window loaded and hidden
// behind it: the result window (false), or the exit screen its close box brought up (true).
class MessageOwnerTest : public HandOffTest, public ::testing::WithParamInterface<bool> {};

TEST_P(MessageOwnerTest, BelongsToTheActiveWindow) {
    QWidget* window = &showResult();
    if (GetParam()) {
        window->close();
        flushDeferredDeletes();
        window = &forms->nagScreen2();
    }
    activate(*window);
    ASSERT_TRUE(forms->isLoaded<frmMain>());
    QTimer::singleShot(0, [window] {
        QWidget* box = QApplication::activeModalWidget();
        EXPECT_EQ(box->parentWidget(), window);
        EXPECT_EQ(box->windowHandle()->transientParent(), window->windowHandle());
        box->close();
    });
    platform::QtMessageBox().show(platform::CriticalMessage(kNoSpace));
}

INSTANTIATE_TEST_SUITE_P(Windows, MessageOwnerTest, ::testing::Bool(),
                         [](const auto& row) { return row.param ? "ExitScreen" : "ResultWindow"; });

struct CloseCase {
    const char* name;
    std::function<void(frmNagScreen2&)> close;
};

const CloseCase kExitButton{
    "ExitButton", [](frmNagScreen2& s) { QTest::mouseClick(control(s, "cmdClose"), Qt::LeftButton); }};
const CloseCase kCloseBox{"CloseBox", [](frmNagScreen2& s) { s.close(); }};

class EndTest : public HandOffTest, public ::testing::WithParamInterface<std::tuple<CloseCase, bool>> {};

TEST_P(EndTest, EndsWithCodeZeroUnloadingEveryWindowAndShowingNothingMore) {
    const auto& [way, mainStillLoaded] = GetParam();
    if (mainStillLoaded) {
        showResult().close(); // the main window stays loaded, hidden
    } else {
        control<QAction>(main(), "mnuExit")->trigger();
    }
    flushDeferredDeletes();
    frmNagScreen2& screen = forms->nagScreen2();
    ASSERT_TRUE(screen.isVisible());
    ASSERT_EQ(forms->isLoaded<frmMain>(), mainStillLoaded);
    const int seeds = fake.random.seeds;
    ShowWatch watch;
    ActivationWatch activations;

    way.close(screen);

    EXPECT_EQ(fake.processEnd.exitCode, 0);
    EXPECT_EQ(fake.processEnd.calls, 1);
    EXPECT_TRUE(forms->loaded().empty()) << "every window was unloaded";
    EXPECT_TRUE(watch.shown.empty()) << "the main window's hand-off during the end brings nothing up";
    EXPECT_TRUE(activations.requests.empty());
    EXPECT_EQ(fake.topmost.windows.size(), 1u);
    EXPECT_EQ(fake.random.seeds, seeds) << "no window was loaded afresh";
    EXPECT_TRUE(fake.messageBox.shown.empty());
    EXPECT_TRUE(fake.urlOpener.urls.empty());
}

INSTANTIATE_TEST_SUITE_P(Ways, EndTest,
                         ::testing::Combine(::testing::Values(kExitButton, kCloseBox), ::testing::Bool()),
                         [](const auto& row) {
                             return std::string(std::get<0>(row.param).name) +
                                    (std::get<1>(row.param) ? "_MainWindowHidden" : "_MainWindowGone");
                         });

} // namespace
} // namespace ssn::forms::test::exit
