#include "widgets/application_icon.h"

#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QString>
#include <array>

// The resources live in this static library; the program and the tests must register them.
static void initialiseIconResources() {
    Q_INIT_RESOURCE(icons);
}

namespace ssn::widgets {

namespace {

QIcon loadApplicationIcon() {
    initialiseIconResources();
    // Title bars, task switchers and panels take 16 to 64 pixels; launchers and docks take the
    // installed theme icons. The larger sizes would cost a third of a megabyte of memory and
    // most of the decoding time at every start, only to be handed to the window manager.
    constexpr std::array<int, 5> kSizes = {16, 24, 32, 48, 64};
    QStringList files;
    for (const int size : kSizes) {
        files << QStringLiteral(":/icons/vl-subconscious-self-number-%1.png").arg(size);
    }
    return IconFromPngFiles(files);
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

QIcon IconFromPngFiles(const QStringList& files) {
    QIcon icon;
    for (const QString& file : files) {
        // The format is named and not guessed, so that no plugin is asked.
        QImageReader reader(file, QByteArrayLiteral("png"));
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull()) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    return icon;
}

} // namespace ssn::widgets
