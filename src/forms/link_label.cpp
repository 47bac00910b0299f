#include "forms/link_label.h"

#include "forms/wrapped_caption.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace ssn::forms {

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setText(caption);
    setAccessibleName(caption);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
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

void LinkLabel::focusInEvent(QFocusEvent* event) {
    QLabel::focusInEvent(event);
    const bool byKeyboard =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (byKeyboard && isCoveredBySibling()) {
        focusNextPrevChild(event->reason() == Qt::TabFocusReason);
    }
}

bool LinkLabel::drawsKeptCaption() const {
    // The plain case of a wrapped caption, as the program's labels are; anything else, the label
    // draws itself.
    constexpr auto kSelectable = Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard;
    const bool styleSheetStyle = style()->inherits("QStyleSheetStyle");
    return wordWrap() && textFormat() == Qt::PlainText && isEnabled() && buddy() == nullptr &&
           frameWidth() == 0 && indent() <= 0 && (textInteractionFlags() & kSelectable) == 0 &&
           (alignment() & (Qt::AlignRight | Qt::AlignJustify)) == 0 && !styleSheetStyle &&
           IsPlainWrappedCaption(text());
}

void LinkLabel::paintEvent(QPaintEvent* event) {
    if (drawsKeptCaption()) {
        // What QLabel::paintEvent does for such a caption, with the layout kept between paints.
        QPainter painter(this);
        drawFrame(&painter);
        const QRect area = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
        painter.setPen(QPen(palette().brush(foregroundRole()), painter.pen().widthF()));
        DrawWrappedCaption(painter, area, static_cast<int>(alignment()) | Qt::TextWordWrap, text());
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

bool LinkLabel::isCoveredBySibling() const {
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
        if (inFront && sibling != nullptr && sibling->isVisible() && !sibling->isWindow() &&
            sibling->geometry().contains(geometry().center())) {
            return true;
        }
    }
    return false;
}

} // namespace ssn::forms
