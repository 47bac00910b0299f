#pragma once

#include "platform/platform.h"

namespace ssn::platform {

// Empties the desktop clipboard when there is one; a missing clipboard is ignored.
class QtClipboard : public Clipboard {
public:
    void clear() override;
};

} // namespace ssn::platform
