#pragma once

// The moment every start-up child reports: the first paint of a widget in the window it
// waits for, once the whole paint pass (flush to the window system included) is over. The
// report line holds the peak resident set size (VmHWM, kB) at that moment, to check the
// parent's figure; then the child ends at once, leaving out the teardown.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

namespace ssn::bench {

inline long peakResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// The report is queued, so it comes after the whole paint pass.
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
    void reportAndEnd() const {
        if (m_fd < 0) {
            return; // a descriptor of -1 keeps the window open, to look at it
        }
        const std::string line = "painted " + std::to_string(peakResidentKilobytes()) + "\n";
        const ssize_t written = ::write(m_fd, line.data(), line.size());
        ::_exit(written == static_cast<ssize_t>(line.size()) ? 0 : 3);
    }

    int m_fd;
    Accepts m_accepts;
    bool m_seen = false;
};

} // namespace ssn::bench
