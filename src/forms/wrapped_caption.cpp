#include "forms/wrapped_caption.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QRect>
#include <QTextLayout>
#include <QtMath>
#include <algorithm>
#include <memory>
#include <vector>

namespace ssn::forms {

namespace {

struct CaptionKey {
    QString text;
    QFont font;
    int dpi = 0;
    QSize size;
    int flags = 0;

    bool operator==(const CaptionKey& other) const {
        return text == other.text && font == other.font && dpi == other.dpi && size == other.size &&
               flags == other.flags;
    }
};

// A caption laid out in a rectangle at (0, 0): its lines with their horizontal offsets, the
// vertical offset of the block, and whether it overflows the rectangle and must be clipped.
struct LaidOutCaption {
    CaptionKey key;
    std::unique_ptr<QTextLayout> layout;
    std::vector<qreal> lineOffsets;
    qreal top = 0;
    bool clip = false;
};

// A handful of captions exist in the whole program; the oldest goes should more turn up.
constexpr std::size_t kKeptCaptions = 16;

std::vector<std::unique_ptr<LaidOutCaption>>* keptCaptions = nullptr;

std::vector<std::unique_ptr<LaidOutCaption>>& captions() {
    if (keptCaptions == nullptr) {
        keptCaptions = new std::vector<std::unique_ptr<LaidOutCaption>>;
        // The layouts hold fonts, which must go while the application still exists.
        qAddPostRoutine([] {
            delete keptCaptions;
            keptCaptions = nullptr;
        });
    }
    return *keptCaptions;
}

// The same steps as QPainter::drawText with a rectangle, word wrap and no bounding rectangle
// asked for: lines as wide as the rectangle on whole pixels, each centred on its own when
// centred, the block placed vertically by the alignment, and clipped when it does not fit.
std::unique_ptr<LaidOutCaption> layOut(CaptionKey key) {
    auto caption = std::make_unique<LaidOutCaption>();
    const QRectF rect(QPointF(0, 0), QSizeF(key.size));
    const int flags = key.flags;
    caption->layout = std::make_unique<QTextLayout>(key.text, key.font);
    QTextLayout& layout = *caption->layout;
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    option.setAlignment((flags & Qt::AlignJustify) != 0 ? Qt::AlignJustify : Qt::AlignLeft);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);

    const qreal leading = QFontMetricsF(key.font).leading();
    qreal height = -leading;
    qreal width = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(qMax<qreal>(0, rect.width()));
        height += leading;
        height = qCeil(height);
        line.setPosition(QPointF(0, height));
        height += line.ascent() + line.descent();
        width = qMax(width, line.naturalTextWidth());
        if (height >= rect.height()) {
            break;
        }
    }
    layout.endLayout();

    if ((flags & Qt::AlignBottom) != 0) {
        caption->top = rect.height() - height;
    } else if ((flags & Qt::AlignVCenter) != 0) {
        caption->top = (rect.height() - height) / 2;
    }
    qreal blockLeft = 0;
    if ((flags & Qt::AlignRight) != 0) {
        blockLeft = rect.width() - width;
    } else if ((flags & Qt::AlignHCenter) != 0) {
        blockLeft = (rect.width() - width) / 2;
    }
    caption->clip = !rect.contains(QRectF(blockLeft, caption->top, width, height));
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        caption->lineOffsets.push_back(
            (flags & Qt::AlignHCenter) != 0 ? (rect.width() - line.horizontalAdvance()) / 2 : 0);
    }
    caption->key = std::move(key);
    return caption;
}

const LaidOutCaption& laidOut(CaptionKey key) {
    auto& kept = captions();
    const auto found =
        std::find_if(kept.begin(), kept.end(), [&key](const auto& caption) { return caption->key == key; });
    if (found != kept.end()) {
        return **found;
    }
    if (kept.size() >= kKeptCaptions) {
        kept.erase(kept.begin());
    }
    kept.push_back(layOut(std::move(key)));
    return *kept.back();
}

} // namespace

bool IsPlainWrappedCaption(const QString& text) {
    const bool special = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c == u'\t' || c == u'\n' || c == u'\r' || c == QChar(ushort(0x9c));
    });
    return !text.isEmpty() && !special && !text.isRightToLeft();
}

void DrawWrappedCaption(QPainter& painter, const QRect& rect, int flags, const QString& text) {
    if (painter.pen().style() == Qt::NoPen) {
        return;
    }
    const QPaintDevice* device = painter.device();
    const LaidOutCaption& caption =
        laidOut({text, painter.font(), device != nullptr ? device->logicalDpiY() : 0, rect.size(), flags});
    if (caption.clip) {
        painter.save();
        painter.setClipRect(rect, Qt::IntersectClip);
    }
    for (int i = 0; i < caption.layout->lineCount(); ++i) {
        caption.layout->lineAt(i).draw(
            &painter,
            QPointF(rect.x() + caption.lineOffsets[static_cast<std::size_t>(i)], rect.y() + caption.top));
    }
    if (caption.clip) {
        painter.restore();
    }
}

} // namespace ssn::forms
