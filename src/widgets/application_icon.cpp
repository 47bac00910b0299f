#include "widgets/application_icon.h"

#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <QResource>
#include <QString>
#include <array>

// The resources live in this static library; the program and the tests must register them.
static void initialiseIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace ssn::widgets {

namespace {

// Title bars, task switchers and panels take 16 to 64 pixels; launchers and docks take the
// installed theme icons. The larger sizes would cost a third of a megabyte of memory and most of
// the decoding time at every start, only to be handed to the window manager.
constexpr std::array<int, 5> kSizes = {16, 24, 32, 48, 64};

QIcon loadApplicationIcon() {
    initialiseIconResources();
    // The pixels lie in the program uncompressed, so no PNG is decoded at start-up (five decodes
    // cost more than the rest of the icon's way to the window manager). The resource is checked
    // against the PNG files it was made from by the tests.
    const QResource raw(QStringLiteral(":/icons/vl-subconscious-self-number.rgba"));
    const QByteArray pixels = raw.uncompressedData();
    QIcon icon;
    qsizetype offset = 0;
    for (const int size : kSizes) {
        const qsizetype bytes = qsizetype{size} * size * 4;
        if (offset + bytes > pixels.size()) {
            break;
        }
        const QImage image(reinterpret_cast<const uchar*>(pixels.constData()) + offset, size, size, size * 4,
                           QImage::Format_RGBA8888);
        icon.addPixmap(QPixmap::fromImage(image));
        offset += bytes;
    }
    return icon;
}

QIcon* loadedIcon = nullptr;

} // namespace

QIcon applicationIcon() {
    // Decoded once per run and shared by every window; released with the application object,
    // while pixmaps can still be destroyed.
    if (loadedIcon == nullptr) {
        loadedIcon = new QIcon(loadApplicationIcon());
        qAddPostRoutine([] {
            delete loadedIcon;
            loadedIcon = nullptr;
        });
    }
    return *loadedIcon;
}

} // namespace ssn::widgets
