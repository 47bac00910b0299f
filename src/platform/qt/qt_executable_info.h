#pragma once

#include "platform/platform.h"

namespace ssn::platform {

// The running executable's file name without folder and last extension, looked up at
// each question (a renamed copy is a different application to the settings store).
class QtExecutableInfo : public ExecutableInfo {
public:
    QString executableName() override;
};

} // namespace ssn::platform
