#include "platform/qt/qt_platform.h"

#ifndef Q_OS_WIN
#include <csignal>
#endif

namespace ssn::platform {

QtPlatform::QtPlatform() {
#ifndef Q_OS_WIN
    // A file-size limit (`ulimit -f`) below the settings file's size would end the program with
    // SIGXFSZ at its first save; ignored, the save's write fails as on a full disk and the old
    // file stays.
    ::signal(SIGXFSZ, SIG_IGN);
#endif
}

Platform QtPlatform::bundle() {
    return {m_messageBox, m_urlOpener, m_clipboard,  m_settings, m_instanceGuard, m_topmost, m_processEnd,
            m_clock,      m_random,    m_executable, m_run};
}

} // namespace ssn::platform
