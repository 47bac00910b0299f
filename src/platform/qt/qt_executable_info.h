#pragma once

#include "platform/platform.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace ssn::platform {

// The running executable's file name without folder and last extension, looked up at
// each question (a renamed copy is a different application to the settings store).
class QtExecutableInfo : public ExecutableInfo {
public:
    QString executableName() override {
        return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    }
};

} // namespace ssn::platform
