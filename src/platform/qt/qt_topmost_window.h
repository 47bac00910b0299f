#pragma once

#include "platform/platform.h"

namespace ssn::platform {

class QtTopmostWindow : public TopmostWindow {
public:
    void showTopmostWithoutActivating(QWidget& window) override;
};

} // namespace ssn::platform
