// The two programs that the start-up benchmark starts as fresh processes, as modes of one
// executable so that both load the same libraries:
//   startup_child label <fd>    the least toolkit program that shows text: one label
//   startup_child program <fd>  the program's own start, exactly as its executable does it
// Each writes one line to the file descriptor <fd> once its first window has been painted
// and the painted picture handed to the window system, then ends at once. The line holds
// the peak resident set size (VmHWM, kB) at that moment, to check the parent's figure.

#include "forms/forms.h"
#include "forms/frmMain.h"
#include "forms/frmNagScreen.h"
#include "platform/qt/qt_platform.h"
#include "widgets/application_setup.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

long peakResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// Reports the first paint of a widget in a window that the predicate accepts. The report
// is queued, so it comes after the whole paint pass, flush to the window system included.
class FirstPaintReport : public QObject {
public:
    using Accepts = bool (*)(const QWidget& window);

    FirstPaintReport(int fd, Accepts accepts) : m_fd(fd), m_accepts(accepts) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!m_seen && event->type() == QEvent::Paint && watched->isWidgetType() &&
            m_accepts(*static_cast<QWidget*>(watched)->window())) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] { reportAndEnd(); });
        }
        return false;
    }

private:
    [[noreturn]] void reportAndEnd() const {
        const std::string line = "painted " + std::to_string(peakResidentKilobytes()) + "\n";
        const ssize_t written = ::write(m_fd, line.data(), line.size());
        // Ending here leaves out the teardown, which is not part of the start.
        ::_exit(written == static_cast<ssize_t>(line.size()) ? 0 : 3);
    }

    int m_fd;
    Accepts m_accepts;
    bool m_seen = false;
};

int showLabel(int argc, char** argv, int fd) {
    QApplication application(argc, argv);
    FirstPaintReport report(
        fd, [](const QWidget& window) { return qobject_cast<const QLabel*>(&window) != nullptr; });
    QLabel label(QStringLiteral("VL Subconscious Self Number"));
    label.show();
    return QApplication::exec();
}

// The same steps as the program's main(), up to the main window's first paint.
int startProgram(int argc, char** argv, int fd) {
    QApplication application(argc, argv);
    ssn::widgets::SetUpApplication();
    ssn::platform::QtPlatform desktop;
    ssn::forms::Forms forms(desktop.bundle());
    FirstPaintReport report(fd, [](const QWidget& window) {
        return qobject_cast<const ssn::forms::frmMain*>(&window) != nullptr;
    });
    forms.nagScreen();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: startup_child label|program <report-fd>\n");
        return 2;
    }
    const int fd = std::atoi(argv[2]);
    if (std::strcmp(argv[1], "label") == 0) {
        return showLabel(argc, argv, fd);
    }
    if (std::strcmp(argv[1], "program") == 0) {
        return startProgram(argc, argv, fd);
    }
    std::fprintf(stderr, "startup_child: unknown mode %s\n", argv[1]);
    return 2;
}
