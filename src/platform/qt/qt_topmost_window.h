#pragma once

#include "platform/platform.h"

#include <QWidget>

namespace ssn::platform {

class QtTopmostWindow : public TopmostWindow {
public:
    void showTopmostWithoutActivating(QWidget& window) override {
        window.setWindowFlag(Qt::WindowStaysOnTopHint, true);
        window.setAttribute(Qt::WA_ShowWithoutActivating);
        window.show();
    }
};

} // namespace ssn::platform
