#include "widgets/link_label.h"

#include "widgets/look.h"
#include "widgets/wrapped_caption.h"

#include <QAbstractTextDocumentLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTextDocument>

namespace ssn::widgets {

namespace {

class DoubleClickDropper : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        return event->type() == QEvent::MouseButtonDblClick;
    }
};

} // namespace

void openOncePerDoubleClick(QWidget& control) {
    control.installEventFilter(new DoubleClickDropper(&control));
}

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setText(caption);
    setAccessibleName(caption);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    openOncePerDoubleClick(*this);
    look::markAsLink(*this);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_pressed) {
        m_pressed = false;
        event->accept();
        // Like a button: letting go outside the label cancels the click.
        if (rect().contains(event->position().toPoint())) {
            emit clicked();
        }
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        emit clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

bool LinkLabel::drawsKeptCaption() const {
    // The plain case of a wrapped caption that the label itself would lay out in a text document
    // (a label that can take the focus does), as the program's links are; anything else, the
    // label draws itself. A label under a style sheet (its own, a container's or the
    // application's) is styled by it, and draws itself too.
    constexpr auto kSelectable = Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard;
    return wordWrap() && textFormat() == Qt::PlainText && focusPolicy() != Qt::NoFocus && isEnabled() &&
           buddy() == nullptr && frameWidth() == 0 && indent() <= 0 &&
           (textInteractionFlags() & kSelectable) == 0 && !testAttribute(Qt::WA_StyleSheet) &&
           !text().isEmpty();
}

void LinkLabel::paintKeptCaption() {
    // What QLabel::paintEvent does for a caption it lays out in a text document, with the
    // document kept between paints and windows.
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    QTextDocument& document = KeptCaptionDocument(text(), font(), alignment(), area.width());
    const qreal height = document.documentLayout()->documentSize().height();
    qreal top = 0;
    if ((alignment() & Qt::AlignVCenter) != 0) {
        top = qMax((area.height() - height) / 2, qreal(0));
    } else if ((alignment() & Qt::AlignBottom) != 0) {
        top = qMax(area.height() - height, qreal(0));
    }
    const QRect laidOut = QRectF(area.x(), top + area.y(), area.width(), area.height()).toAlignedRect();

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    if (foregroundRole() != QPalette::Text) {
        context.palette.setColor(QPalette::Text, context.palette.color(foregroundRole()));
    }
    painter.translate(laidOut.topLeft());
    painter.setClipRect(laidOut.translated(-laidOut.x(), -laidOut.y()));
    document.documentLayout()->draw(&painter, context);
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    if (drawsKeptCaption()) {
        paintKeptCaption();
    } else {
        QLabel::paintEvent(event);
    }
    if (!hasFocus()) {
        return;
    }
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(QPalette::Window);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

bool LinkLabel::isCovered() const {
    const QWidget* container = parentWidget();
    if (container == nullptr) {
        return false;
    }
    // Children are kept in stacking order: those after this label lie in front of it.
    bool inFront = false;
    for (const QObject* child : container->children()) {
        if (child == this) {
            inFront = true;
            continue;
        }
        const auto* sibling = qobject_cast<const QWidget*>(child);
        // Not hidden rather than visible, so that this holds before the window is first shown.
        if (inFront && sibling != nullptr && !sibling->isHidden() && !sibling->isWindow() &&
            sibling->geometry().contains(geometry().center())) {
            return true;
        }
    }
    return false;
}

} // namespace ssn::widgets
