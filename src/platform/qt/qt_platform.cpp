#include "platform/qt/qt_platform.h"

namespace ssn::platform {

Platform QtPlatform::bundle() {
    return {m_messageBox, m_urlOpener, m_clipboard,  m_settings, m_instanceGuard, m_topmost, m_processEnd,
            m_clock,      m_random,    m_executable, m_run};
}

} // namespace ssn::platform
