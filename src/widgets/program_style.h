#pragma once

// The program's style: the desktop's style, with what the windows promise drawn by the program
// itself through QProxyStyle's public overrides.
// - Buttons and drop-down lists are filled flat with their palette's button colour, so a blue
//   window shows its blue, not a lighter gradient of it. Under the native Windows style, which
//   draws buttons, lists and text fields from the theme's bitmaps whatever the palette says
//   (white, under the windows' white text), the program draws those three itself, flat in the
//   palette's colours. Drawn flat, their edge stands out from their face by 3:1, on the black of
//   a high-contrast scheme too.
// - Group boxes are drawn the classic way: the frame line runs through the middle of the
//   caption, which interrupts it, so no control placed below the caption meets the line. No
//   bitmap is read for the frame.
// - Every control that takes the focus shows it with the same mark, drawn whether the focus
//   came by keyboard or mouse: two rings of one device-independent pixel along its edge, each
//   black or white, whichever stands out more (by at least 4.5:1) against the colour beside it:
//   the outer ring against what surrounds the control, the inner one against the control's face.
//   On the windows' blue both are black (8.4:1); round a white field on the exit screen's navy
//   the outer one is white. Text boxes with a scroll bar get a frame two pixels wide, room for
//   both rings.
// - A caret that would not stand out by 3:1 against its box (white on the blue) gets a dark
//   edge round it, and a scroll bar's slider is a shade of its track that stands out by 3:1.
// - A check box's square has an edge that stands out from what surrounds it by 4.5:1.
// - The menu bar's overflow arrow is painted when it is needed instead of read from image
//   files, which would load every image plugin at start-up.

#include <QProxyStyle>

class QStyleOptionSlider;

namespace ssn::widgets {

class ProgramStyle : public QProxyStyle {
    Q_OBJECT

public:
    ProgramStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl subControl,
                         const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
    void polish(QWidget* widget) override;
    void unpolish(QWidget* widget) override;
    using QProxyStyle::polish;
    using QProxyStyle::unpolish;

protected:
    // Draws the caret's edge on the viewports of multi-line boxes.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void drawScrollBar(const QStyleOptionSlider& bar, QPainter& painter, const QWidget* widget) const;
    void drawFlatComboBox(const QStyleOptionComplex& option, QPainter& painter, const QWidget* widget) const;

    // Whether the desktop's style is the native Windows one, which ignores the palette's colours.
    bool m_themeIgnoresPalette;
};

} // namespace ssn::widgets
