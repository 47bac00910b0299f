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

namespace ssn::platform {

class QtPlatform {
public:
    QtPlatform();
    Platform bundle();

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
