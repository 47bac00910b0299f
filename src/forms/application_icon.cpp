#include "forms/application_icon.h"

#include <QString>
#include <array>

// The resources live in this static library; the program and the tests must register them.
static void initialiseIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace ssn::forms {

QIcon ApplicationIcon() {
    static const bool registered = (initialiseIconResources(), true);
    (void)registered;
    // Bitmaps only: a vector icon would load an image plugin at start-up.
    constexpr std::array<int, 7> kSizes = {16, 24, 32, 48, 64, 128, 256};
    QIcon icon;
    for (const int size : kSizes) {
        icon.addFile(QStringLiteral(":/icons/vl-subconscious-self-number-%1.png").arg(size),
                     QSize(size, size));
    }
    return icon;
}

} // namespace ssn::forms
