// Time from pressing Next with a valid name to the result window being shown and painted,
// against the least a toolkit program needs for the same: a bare window holding a text box
// with the same report, shown until its first paint. The two alternate, so that drift of
// the machine touches both alike; the table gives medians and their ratio.
//
// Usage: next_report_bench [rounds]   (QT_QPA_PLATFORM picks offscreen or an X server)

#include "core/self_number.h"
#include "forms/forms.h"
#include "forms/frmMain.h"
#include "forms/frmNagScreen.h"
#include "forms/frmSubconciousSelfNumber.h"
#include "paint_watch.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt_text.h"
#include "private_environment.h"
#include "sample_stats.h"
#include "widgets/application_setup.h"

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using ssn::forms::frmMain;
using ssn::forms::frmSubconciousSelfNumber;

constexpr auto kPaintLimit = 10s;
constexpr auto kSettleTime = 30ms;
constexpr int kWarmUpRounds = 5;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// One measurement: the whole time to the painted window, and the part of it spent in the
// action itself (the click handler, or building the bare window) before the event loop ran.
struct Timing {
    double total = 0.0;
    double action = 0.0;
};

// Thrown, not exited, so that the private folder is removed on the way out.
[[noreturn]] void fail(const char* what) {
    throw std::runtime_error(what);
}

// The report box of a window of the given class: the viewport is where its text is drawn.
template <class Window> bool isReportViewportOf(const QWidget& widget) {
    const auto* box = qobject_cast<const QPlainTextEdit*>(widget.parentWidget());
    return box != nullptr && box->viewport() == &widget && qobject_cast<const Window*>(widget.window());
}

// A window's control, found by the design's name as a person's tools find it.
template <class Control> Control& named(const QWidget& window, const char* name) {
    auto* control = window.findChild<Control*>(QString::fromLatin1(name));
    if (control == nullptr) {
        fail((std::string("no control named ") + name).c_str());
    }
    return *control;
}

class Harness {
public:
    explicit Harness(ssn::forms::Forms& forms) : m_forms(forms) {
        const int number = ssn::core::GetSubconsciousSelfNumber(u"JOHN", u"", u"SMITH");
        m_report = ssn::platform::toQString(
            ssn::core::BuildSelfNumberReport(number, ssn::core::GetSelfNumberInterpretation(number)));
    }

    // Starts the program as its executable does: the start-up form's load shows the main window.
    void start() {
        waitForPaint([](const QWidget& widget) { return qobject_cast<const frmMain*>(widget.window()); },
                     [this] { m_forms.nagScreen(); }, "the main window was never painted");
        frmMain& main = m_forms.main();
        named<QLineEdit>(main, "txtFirstName").setText(QStringLiteral("JOHN"));
        named<QLineEdit>(main, "txtLastName").setText(QStringLiteral("SMITH"));
        ssn::bench::settle(kSettleTime);
    }

    // Next on the main window until the report in the result window has been painted; then
    // Back, which brings the main window back with the same input for the next round.
    Timing nextToReport() {
        frmMain& main = m_forms.main();
        Timing timing;
        const Clock::time_point start = Clock::now();
        waitForPaint(
            isReportViewportOf<frmSubconciousSelfNumber>,
            [&] {
                named<QPushButton>(main, "cmdNext").click();
                timing.action = millisecondsSince(start);
            },
            "the report was never painted");
        timing.total = millisecondsSince(start);

        frmSubconciousSelfNumber& result = m_forms.result();
        if (named<QPlainTextEdit>(result, "txtDisplay").toPlainText() !=
            QString(m_report).replace(QStringLiteral("\r\n"), QStringLiteral("\n"))) {
            fail("the result window does not show the expected report");
        }
        // The floor paints the same area as the result window.
        m_windowSize = result.size();
        m_boxGeometry = named<QPlainTextEdit>(result, "txtDisplay").geometry();
        waitForPaint([&main](const QWidget& widget) { return widget.window() == &main; },
                     [&result] { named<QPushButton>(result, "cmdback").click(); },
                     "Back did not bring the main window back");
        ssn::bench::settle(kSettleTime);
        return timing;
    }

    // The floor: a window with nothing but a text box of the result window's size and place,
    // filled with the same report, until the box is first painted.
    Timing bareReportWindow() {
        if (!m_windowSize.isValid()) {
            fail("the floor needs the size of a result window shown before");
        }
        std::unique_ptr<QWidget> window;
        Timing timing;
        const Clock::time_point start = Clock::now();
        waitForPaint(
            [&window](const QWidget& widget) {
                const auto* box = qobject_cast<const QPlainTextEdit*>(widget.parentWidget());
                return box != nullptr && box->viewport() == &widget && widget.window() == window.get();
            },
            [&] {
                window = std::make_unique<QWidget>();
                window->resize(m_windowSize);
                auto* box = new QPlainTextEdit(window.get());
                box->setGeometry(m_boxGeometry);
                box->setReadOnly(true);
                box->setPlainText(m_report);
                window->show();
                timing.action = millisecondsSince(start);
            },
            "the bare report window was never painted");
        timing.total = millisecondsSince(start);
        window.reset();
        ssn::bench::settle(kSettleTime);
        return timing;
    }

private:
    void waitForPaint(const ssn::bench::PaintWatch::Target& target, const std::function<void()>& action,
                      const char* failure) {
        if (m_watch.runUntilPainted(target, action, kPaintLimit) == nullptr) {
            fail(failure);
        }
    }

    ssn::forms::Forms& m_forms;
    ssn::bench::PaintWatch m_watch;
    QString m_report;
    QSize m_windowSize;
    QRect m_boxGeometry;
};

int roundsFrom(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 100;
    return rounds > 0 ? rounds : 100;
}

int run(int argc, char** argv) {
    const int rounds = roundsFrom(argc, argv);
    const ssn::bench::PrivateEnvironment environment; // before the application reads any path
    QApplication application(argc, argv);
    // Set up as the program is (style, icon, quit rule). The result window sets its icon
    // itself; without the application-wide one the bare floor window carries none.
    ssn::widgets::setUpApplication();
    QApplication::setWindowIcon(QIcon());
    ssn::platform::QtPlatform desktop;
    ssn::forms::Forms forms(desktop.bundle());
    Harness harness(forms);
    harness.start();

    for (int round = 0; round < kWarmUpRounds; ++round) {
        harness.nextToReport();
        harness.bareReportWindow();
    }
    struct Series {
        std::vector<double> total;
        std::vector<double> action;
        void add(Timing timing) {
            total.push_back(timing.total);
            action.push_back(timing.action);
        }
    };
    Series next;
    Series floor;
    for (int round = 0; round < rounds; ++round) {
        // Alternating which goes first keeps any after-effect of one on the other even.
        if (round % 2 == 0) {
            next.add(harness.nextToReport());
            floor.add(harness.bareReportWindow());
        } else {
            floor.add(harness.bareReportWindow());
            next.add(harness.nextToReport());
        }
    }

    std::printf("Next to report, platform %s, %d rounds (milliseconds)\n",
                qPrintable(QGuiApplication::platformName()), rounds);
    ssn::bench::printSummaryHeader();
    ssn::bench::printSummaryRow("Next to painted report", next.total, "ms");
    ssn::bench::printSummaryRow("  of which the click handler", next.action, "ms");
    ssn::bench::printSummaryRow("floor: bare window with the report to paint", floor.total, "ms");
    ssn::bench::printSummaryRow("  of which building and showing it", floor.action, "ms");
    ssn::bench::printRatio("ratio of medians (Next / floor)",
                           ssn::bench::median(next.total) / ssn::bench::median(floor.total), 1.3);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "next_report_bench: %s\n", error.what());
        return 1;
    }
}
