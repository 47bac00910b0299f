#include "platform/qt/qt_executable_info.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace ssn::platform {

QString QtExecutableInfo::executableName() {
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

} // namespace ssn::platform
