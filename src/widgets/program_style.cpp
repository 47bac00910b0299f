#include "widgets/program_style.h"

#include "widgets/contrast.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QIconEngine>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QStyleOption>
#include <QWidget>

namespace ssn::widgets {

namespace {

// A one-pixel line along the edges of a rectangle, by filled rectangles, which stay exactly on
// the pixel grid at every scale factor.
void drawOutline(QPainter& painter, const QRect& rect, const QColor& colour) {
    if (rect.width() <= 0 || rect.height() <= 0) {
        return;
    }
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.bottom(), rect.width(), 1), colour);
    painter.fillRect(QRect(rect.left(), rect.top(), 1, rect.height()), colour);
    painter.fillRect(QRect(rect.right(), rect.top(), 1, rect.height()), colour);
}

// The focus mark: two rings of one pixel along the control's edge, the outer one black or white
// against what surrounds the control, the inner one against the control's own face.
void drawFocusMark(QPainter& painter, const QRect& rect, const QColor& around, const QColor& inside) {
    drawOutline(painter, rect, contrast::blackOrWhiteAgainst(around));
    drawOutline(painter, rect.adjusted(1, 1, -1, -1), contrast::blackOrWhiteAgainst(inside));
}

// The colour around a control: that of the nearest container that paints its background.
QColor colourAround(const QWidget* widget, const QPalette& fallback) {
    const QWidget* container = widget != nullptr ? widget->parentWidget() : nullptr;
    while (container != nullptr && !container->isWindow() && !container->autoFillBackground()) {
        container = container->parentWidget();
    }
    return container != nullptr ? container->palette().color(container->backgroundRole())
                                : fallback.color(QPalette::Window);
}

bool hasFocus(const QStyleOption& option) {
    return option.state.testFlag(QStyle::State_HasFocus) && option.state.testFlag(QStyle::State_Enabled);
}

// Has the desktop's style draw a control, a focused one as if it had no focus, so that the
// style's own focus look (faint on the blue, and only after a key press) gives way to the mark
// drawn round the control afterwards. `face` is the palette role of the control's inside.
template <class Option, class AnyOption, class Draw>
void drawWithFocusMark(const AnyOption* option, QPainter& painter, const QWidget* widget,
                       QPalette::ColorRole face, const Draw& drawByBase) {
    const auto* typed = qstyleoption_cast<const Option*>(option);
    if (typed == nullptr || !hasFocus(*typed)) {
        drawByBase(option);
        return;
    }
    Option unfocused(*typed);
    unfocused.state &= ~QStyle::State_HasFocus;
    drawByBase(&unfocused);
    drawFocusMark(painter, option->rect, colourAround(widget, option->palette), option->palette.color(face));
}

// Where a text box's caret (drawn in its text colour) would not stand out by 3:1 against the
// box's background, as white on the windows' blue, a dark edge is drawn around it first: the
// caret blinks inside an edge that stays. `caret` is a rectangle centred on the caret: Qt gives a
// line edit's (ImCursorRectangle) as the caret widened by some pixels on both sides and a text
// box's (cursorRect) as the caret itself; a Qt that places the first otherwise draws the edge
// beside the caret, where it marks nothing.
void drawCaretEdge(QPainter& painter, const QRect& caret, const QPalette& palette, int caretWidth) {
    const QColor base = palette.color(QPalette::Base);
    if (contrast::ratio(palette.color(QPalette::Text), base) >= 3) {
        return;
    }
    const int width = caretWidth + 2;
    const int left = qRound(QRectF(caret).center().x() - width / 2.0);
    painter.fillRect(QRect(left, caret.top(), width, caret.height()), contrast::blackOrWhiteAgainst(base));
}

bool showsCaret(const QPlainTextEdit& box) {
    return box.hasFocus() &&
           (!box.isReadOnly() || box.textInteractionFlags().testFlag(Qt::TextSelectableByKeyboard));
}

// The edge of a control drawn flat: a shade of its face that stands out from it by 3:1, darker
// on a light face and lighter on the black of a high-contrast scheme, where a darker shade would
// vanish.
QColor edgeOf(const QColor& face) {
    return contrast::shadeStandingOutFrom(face, 3);
}

// A button or a closed drop-down list: its palette's button colour, flat, a shade darker while
// pressed, with an edge that stands out.
void drawButtonPanel(QPainter& painter, const QStyleOption& option) {
    const QColor button = option.palette.color(QPalette::Button);
    const bool pressed = option.state.testAnyFlags(QStyle::State_Sunken | QStyle::State_On);
    painter.fillRect(option.rect, pressed ? button.darker(115) : button);
    drawOutline(painter, option.rect, edgeOf(button));
}

// A group box's caption and frame: the frame's top edge lies at the middle of the caption line,
// the caption stands over a gap in it.
struct GroupBoxGeometry {
    QRect frame;
    QRect caption;
    QRect gap;
};

constexpr int kCaptionIndent = 6;
constexpr int kCaptionPadding = 2;

GroupBoxGeometry groupBoxGeometry(const QStyleOptionGroupBox& box) {
    if (box.text.isEmpty()) {
        return {box.rect, {}, {}};
    }
    const QSize text = box.fontMetrics.size(Qt::TextShowMnemonic, box.text);
    const QRect line =
        box.rect.adjusted(kCaptionIndent + kCaptionPadding, 0, -kCaptionIndent - kCaptionPadding, 0);
    const QRect caption =
        QStyle::alignedRect(box.direction, box.textAlignment & Qt::AlignHorizontal_Mask, text,
                            QRect(line.left(), box.rect.top(), line.width(), text.height()));
    QRect frame = box.rect;
    frame.setTop(box.rect.top() + text.height() / 2);
    return {frame, caption, caption.adjusted(-kCaptionPadding, 0, kCaptionPadding, 0)};
}

// The boxes of the windows: with a caption or without, neither checkable nor flat.
bool isClassicGroupBox(const QStyleOptionComplex* option) {
    const auto* box = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    return box != nullptr && !box->subControls.testFlag(QStyle::SC_GroupBoxCheckBox) &&
           !box->features.testFlag(QStyleOptionFrame::Flat);
}

// The etched frame of a group box, in shades of its own background.
void drawGroupBoxFrame(QPainter& painter, const QRect& rect, const QPalette& palette) {
    const QColor background = palette.color(QPalette::Window);
    drawOutline(painter, rect.adjusted(1, 1, 0, 0), background.lighter(150));
    drawOutline(painter, rect.adjusted(0, 0, -1, -1), background.darker(150));
}

// Two arrow heads pointing the way the menu bar or tool bar goes on, painted at any size.
class OverflowArrowEngine : public QIconEngine {
public:
    explicit OverflowArrowEngine(Qt::ArrowType direction) : m_direction(direction) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State /*state*/) override {
        const qreal size = qMin(rect.width(), rect.height());
        const qreal step = size / 4;
        QPainterPath path;
        for (const qreal offset : {0.0, step * 1.5}) {
            path.moveTo(offset, 0);
            path.lineTo(offset + step, size / 2);
            path.lineTo(offset, size);
        }
        QTransform turn;
        turn.translate(rect.center().x() + 0.5, rect.center().y() + 0.5);
        turn.rotate(m_direction == Qt::DownArrow ? 90 : m_direction == Qt::LeftArrow ? 180 : 0);
        turn.translate(-step * 1.25, -size / 2);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QPalette::ColorGroup group = mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
        painter->setPen(
            QPen(QGuiApplication::palette().color(group, QPalette::ButtonText), qMax(1.0, size / 10)));
        painter->drawPath(turn.map(path));
        painter->restore();
    }

    // A transparent pixmap under the arrow; the default leaves it uninitialised.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new OverflowArrowEngine(m_direction); }

private:
    Qt::ArrowType m_direction;
};

bool isRightToLeft(const QStyleOption* option, const QWidget* widget) {
    if (option != nullptr) {
        return option->direction == Qt::RightToLeft;
    }
    if (widget != nullptr) {
        return widget->layoutDirection() == Qt::RightToLeft;
    }
    return QGuiApplication::layoutDirection() == Qt::RightToLeft;
}

} // namespace

ProgramStyle::ProgramStyle()
    : m_themeIgnoresPalette(
          baseStyle()->name().compare(QStringLiteral("windowsvista"), Qt::CaseInsensitive) == 0) {}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    switch (element) {
    case PE_PanelButtonCommand:
        // The focus mark of buttons and drop-down lists goes round the whole control
        // (drawControl, drawComplexControl).
        drawButtonPanel(*painter, *option);
        return;
    case PE_FrameFocusRect: {
        // Check boxes and link labels, whose face is their window's background.
        const auto* focusRect = qstyleoption_cast<const QStyleOptionFocusRect*>(option);
        const QColor face = focusRect != nullptr && focusRect->backgroundColor.isValid()
                                ? focusRect->backgroundColor
                                : option->palette.color(QPalette::Window);
        drawFocusMark(*painter, option->rect, colourAround(widget, option->palette), face);
        return;
    }
    case PE_PanelLineEdit: {
        if (m_themeIgnoresPalette) {
            painter->fillRect(option->rect, option->palette.brush(QPalette::Base));
            proxy()->drawPrimitive(PE_FrameLineEdit, option, painter, widget);
        } else {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
        }
        const auto* field = qobject_cast<const QLineEdit*>(widget);
        if (field != nullptr && hasFocus(*option) && !field->isReadOnly()) {
            drawCaretEdge(*painter, field->inputMethodQuery(Qt::ImCursorRectangle).toRect(), option->palette,
                          proxy()->pixelMetric(PM_TextCursorWidth, option, widget));
        }
        return;
    }
    case PE_FrameGroupBox:
        drawGroupBoxFrame(*painter, option->rect, option->palette);
        return;
    case PE_IndicatorCheckBox:
        // The desktop's style may draw the square's edge barely darker than the window (1.67:1
        // on white); it is drawn again in a shade that stands out from what lies around it as
        // well as text does.
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        drawOutline(*painter, option->rect,
                    contrast::shadeStandingOutFrom(colourAround(widget, option->palette), 4.5));
        return;
    case PE_FrameLineEdit:
    case PE_Frame:
        // Text fields and text boxes with a scroll bar.
        drawWithFocusMark<QStyleOptionFrame>(
            option, *painter, widget, QPalette::Base, [&](const QStyleOption* drawn) {
                if (m_themeIgnoresPalette && element == PE_FrameLineEdit) {
                    drawOutline(*painter, drawn->rect, edgeOf(drawn->palette.color(QPalette::Base)));
                } else {
                    QProxyStyle::drawPrimitive(element, drawn, painter, widget);
                }
            });
        return;
    default:
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    if (control == CC_ComboBox) {
        drawWithFocusMark<QStyleOptionComboBox>(
            option, *painter, widget, QPalette::Button, [&](const QStyleOptionComplex* drawn) {
                if (m_themeIgnoresPalette) {
                    drawFlatComboBox(*drawn, *painter, widget);
                } else {
                    QProxyStyle::drawComplexControl(control, drawn, painter, widget);
                }
            });
        return;
    }
    if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option);
        control == CC_ScrollBar && slider != nullptr) {
        drawScrollBar(*slider, *painter, widget);
        return;
    }
    if (control != CC_GroupBox || !isClassicGroupBox(option)) {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        return;
    }
    const auto& box = *qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    const GroupBoxGeometry geometry = groupBoxGeometry(box);
    painter->save();
    if (box.subControls.testFlag(SC_GroupBoxFrame)) {
        if (!geometry.gap.isEmpty()) {
            painter->setClipRegion(QRegion(box.rect).subtracted(geometry.gap), Qt::IntersectClip);
        }
        QStyleOptionFrame frame;
        frame.QStyleOption::operator=(box);
        frame.features = box.features;
        frame.lineWidth = box.lineWidth;
        frame.midLineWidth = box.midLineWidth;
        frame.rect = geometry.frame;
        proxy()->drawPrimitive(PE_FrameGroupBox, &frame, painter, widget);
        painter->setClipping(false);
    }
    if (box.subControls.testFlag(SC_GroupBoxLabel) && !box.text.isEmpty()) {
        int flags = Qt::TextShowMnemonic | Qt::AlignLeft | Qt::AlignVCenter;
        if (proxy()->styleHint(SH_UnderlineShortcut, option, widget) == 0) {
            flags |= Qt::TextHideMnemonic;
        }
        proxy()->drawItemText(painter, geometry.caption, flags, box.palette,
                              box.state.testFlag(State_Enabled), box.text, QPalette::WindowText);
    }
    painter->restore();
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
    const auto drawByBase = [&](const QStyleOption* drawn) {
        QProxyStyle::drawControl(element, drawn, painter, widget);
    };
    if (element == CE_PushButton) {
        drawWithFocusMark<QStyleOptionButton>(option, *painter, widget, QPalette::Button, drawByBase);
    } else if (element == CE_PushButtonBevel && m_themeIgnoresPalette) {
        proxy()->drawPrimitive(PE_PanelButtonCommand, option, painter, widget);
    } else {
        drawByBase(option);
    }
}

// A closed drop-down list as the other styles draw it through the button panel: flat in the
// button colour, with a down arrow in the button text colour; the list draws its text itself.
void ProgramStyle::drawFlatComboBox(const QStyleOptionComplex& option, QPainter& painter,
                                    const QWidget* widget) const {
    drawButtonPanel(painter, option);
    const QRect arrow = proxy()->subControlRect(CC_ComboBox, &option, SC_ComboBoxArrow, widget);
    const qreal half = qMax(2.0, arrow.width() / 5.0);
    const QPointF centre = QRectF(arrow).center();
    QPainterPath head;
    head.moveTo(centre.x() - half, centre.y() - half / 2);
    head.lineTo(centre.x() + half, centre.y() - half / 2);
    head.lineTo(centre.x(), centre.y() + half / 2);
    head.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(head, option.palette.color(QPalette::ButtonText));
    painter.restore();
}

void ProgramStyle::drawScrollBar(const QStyleOptionSlider& bar, QPainter& painter,
                                 const QWidget* widget) const {
    // The desktop's style draws the arrow buttons, their arrows black or white against the button
    // colour; the track is the button colour, flat, and the slider a shade of it that stands out
    // by 3:1, whatever the palette (the desktop's slider is barely lighter than its track).
    const QColor track = bar.palette.color(QPalette::Button);
    QStyleOptionSlider arrows(bar);
    arrows.palette.setColor(QPalette::WindowText, contrast::blackOrWhiteAgainst(track));
    QProxyStyle::drawComplexControl(CC_ScrollBar, &arrows, &painter, widget);
    painter.fillRect(proxy()->subControlRect(CC_ScrollBar, &bar, SC_ScrollBarGroove, widget), track);
    const QRect slider = proxy()->subControlRect(CC_ScrollBar, &bar, SC_ScrollBarSlider, widget);
    if (bar.minimum != bar.maximum) {
        painter.fillRect(slider.adjusted(1, 1, -1, -1), contrast::shadeStandingOutFrom(track, 3));
    }
}

void ProgramStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    // The caret of a multi-line box is drawn on its viewport, without the style: its edge is drawn
    // there, before the box paints its text and caret.
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        box->viewport()->installEventFilter(this);
    }
}

void ProgramStyle::unpolish(QWidget* widget) {
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) {
        box->viewport()->removeEventFilter(this);
    }
    QProxyStyle::unpolish(widget);
}

bool ProgramStyle::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        auto* viewport = static_cast<QWidget*>(watched);
        const auto* box = qobject_cast<const QPlainTextEdit*>(viewport->parentWidget());
        if (box != nullptr && box->viewport() == viewport && showsCaret(*box)) {
            QPainter painter(viewport);
            drawCaretEdge(painter, box->cursorRect(), box->palette(), box->cursorWidth());
        }
    }
    return QProxyStyle::eventFilter(watched, event);
}

QRect ProgramStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                   SubControl subControl, const QWidget* widget) const {
    if (control == CC_GroupBox && isClassicGroupBox(option)) {
        const GroupBoxGeometry geometry =
            groupBoxGeometry(*qstyleoption_cast<const QStyleOptionGroupBox*>(option));
        if (subControl == SC_GroupBoxFrame) {
            return geometry.frame;
        }
        if (subControl == SC_GroupBoxLabel) {
            return geometry.caption;
        }
    }
    return QProxyStyle::subControlRect(control, option, subControl, widget);
}

int ProgramStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    const int metricOfBase = QProxyStyle::pixelMetric(metric, option, widget);
    // Room for both rings of the focus mark around a text box with a scroll bar, whose inside
    // would cover the inner one.
    if (metric == PM_DefaultFrameWidth && qobject_cast<const QAbstractScrollArea*>(widget) != nullptr) {
        return qMax(metricOfBase, 2);
    }
    return metricOfBase;
}

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                 const QWidget* widget) const {
    switch (standardIcon) {
    case SP_ToolBarHorizontalExtensionButton:
        return QIcon(new OverflowArrowEngine(isRightToLeft(option, widget) ? Qt::LeftArrow : Qt::RightArrow));
    case SP_ToolBarVerticalExtensionButton:
        return QIcon(new OverflowArrowEngine(Qt::DownArrow));
    default:
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    }
}

} // namespace ssn::widgets
