#include "forms/built_in_bitmaps_style.h"

#include "forms/application_icon.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOption>
#include <QWidget>
#include <initializer_list>

namespace ssn::forms {

namespace {

const QString kToolkitImages = QStringLiteral(":/qt-project.org/styles/commonstyle/images");

// The toolkit's bitmaps of one arrow, e.g. "toolbar-ext-h-8.png", "toolbar-ext-h-16.png". Named
// one by one: listing the folder with a name filter would compile a regular expression, which
// loads a library of its own at every start.
QIcon toolkitArrow(const QString& prefix, std::initializer_list<int> sizes) {
    QStringList files;
    for (const int size : sizes) {
        files << kToolkitImages + QLatin1Char('/') + prefix + QString::number(size) + QStringLiteral(".png");
    }
    return IconFromPngFiles(files);
}

bool isRightToLeft(const QStyleOption* option, const QWidget* widget) {
    if (option != nullptr) {
        return option->direction == Qt::RightToLeft;
    }
    if (widget != nullptr) {
        return widget->layoutDirection() == Qt::RightToLeft;
    }
    return QGuiApplication::layoutDirection() == Qt::RightToLeft;
}

// The bytes of a value as QPixmap::load writes them into its cache key: each byte in memory
// order, low hexadecimal digit first.
template <class T> QString cacheKeyHex(T value) {
    static constexpr char kDigits[] = "0123456789abcdef";
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    QString text;
    for (std::size_t i = 0; i < sizeof(T); ++i) {
        text += QLatin1Char(kDigits[bytes[i] & 0xf]);
        text += QLatin1Char(kDigits[bytes[i] >> 4]);
    }
    return text;
}

// Loads a toolkit bitmap under the key under which QPixmap::load looks for it first (that of
// Qt 6.4). Should a later toolkit build its keys otherwise, the entry is merely never found.
void cacheForPixmapLoad(const QString& file) {
    const QFileInfo info(file);
    QImageReader reader(file, QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false);
    const QImage image = reader.read();
    if (image.isNull()) {
        return;
    }
    constexpr unsigned kPixmapType = 0; // QPlatformPixmap::PixmapType
    const QString key = QStringLiteral("qt_pixmap") + info.absoluteFilePath() +
                        cacheKeyHex(static_cast<unsigned>(info.lastModified().toSecsSinceEpoch())) +
                        cacheKeyHex(static_cast<quint64>(info.size())) + cacheKeyHex(kPixmapType);
    QPixmapCache::insert(key, QPixmap::fromImage(image));
}

} // namespace

BuiltInBitmapsStyle::BuiltInBitmapsStyle() = default;

void BuiltInBitmapsStyle::polish(QApplication* application) {
    QProxyStyle::polish(application);
    cacheForPixmapLoad(kToolkitImages + QStringLiteral("/fusion_groupbox.png"));
}

QIcon BuiltInBitmapsStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                        const QWidget* widget) const {
    QIcon arrow;
    if (standardIcon == SP_ToolBarHorizontalExtensionButton) {
        arrow = toolkitArrow(isRightToLeft(option, widget) ? QStringLiteral("toolbar-ext-h-rtl-")
                                                           : QStringLiteral("toolbar-ext-h-"),
                             {8, 16, 32});
    } else if (standardIcon == SP_ToolBarVerticalExtensionButton) {
        arrow = toolkitArrow(QStringLiteral("toolbar-ext-v-"), {5, 10, 20});
    }
    if (!arrow.isNull()) {
        return arrow;
    }
    // Everything else, and the arrows should a later toolkit keep them elsewhere.
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}

} // namespace ssn::forms
