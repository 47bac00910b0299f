#pragma once

#include "platform/platform.h"

namespace ssn::platform {

// Empties the desktop clipboard, and the selection where the desktop has one (X11's PRIMARY);
// a missing clipboard is ignored.
class QtClipboard : public Clipboard {
public:
    void clear() override;
};

} // namespace ssn::platform
