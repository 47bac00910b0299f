#pragma once

// The real desktop operations, owned together for the life of the program.

#include "platform/platform.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_clock.h"
#include "platform/qt/qt_executable_info.h"
#include "platform/qt/qt_instance_guard.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_process_end.h"
#include "platform/qt/qt_random_source.h"
#include "platform/qt/qt_settings_backend.h"
#include "platform/qt/qt_topmost_window.h"
#include "platform/qt/qt_url_opener.h"

#include <csignal>

namespace ssn::platform {

class QtPlatform {
public:
    QtPlatform() {
#ifndef Q_OS_WIN
        // A file-size limit (`ulimit -f`) below the settings file's size would end the program with
        // SIGXFSZ at its first save; ignored, the save's write fails as on a full disk and the old
        // file stays.
        ::signal(SIGXFSZ, SIG_IGN);
#endif
    }
    Platform bundle() {
        return {m_messageBox, m_urlOpener, m_clipboard,  m_settings, m_instanceGuard, m_topmost, m_processEnd,
                m_clock,      m_random,    m_executable, m_run};
    }

private:
    QtMessageBox m_messageBox;
    QtUrlOpener m_urlOpener;
    QtClipboard m_clipboard;
    QtSettingsBackend m_settings;
    QtExecutableInfo m_executable;
    QtInstanceGuard m_instanceGuard{m_executable, QtSettingsBackend::defaultRoot()};
    QtTopmostWindow m_topmost;
    QtProcessEnd m_processEnd;
    QtClock m_clock;
    QtRandomSource m_random;
    RunMemory m_run;
};

} // namespace ssn::platform
