#pragma once

#include "platform/platform.h"

namespace ssn::platform {

// A modal QMessageBox with plain text, so that no message is ever read as markup.
class QtMessageBox : public MessageBoxService {
public:
    MessageAnswer show(const Message& message) override;
};

} // namespace ssn::platform
