#include "widgets/look.h"

#include "widgets/design_family.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPalette>
#include <QWidget>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace ssn::widgets::look {

namespace {

bool systemAsksForHighContrast() {
#ifdef Q_OS_WIN
    HIGHCONTRASTW highContrast{};
    highContrast.cbSize = sizeof highContrast;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, highContrast.cbSize, &highContrast, 0) != FALSE &&
           (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
#else
    return false;
#endif
}

HighContrastQuery highContrastQuery = &systemAsksForHighContrast;

// The system's link colour. Qt 6.4 gives Windows links a fixed blue, unreadable on the black
// of a high-contrast scheme; the scheme's own colour for links is the hot-track colour.
QColor systemLinkColour() {
#ifdef Q_OS_WIN
    const COLORREF colour = ::GetSysColor(COLOR_HOTLIGHT);
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
#else
    return QGuiApplication::palette().color(QPalette::Link);
#endif
}

// Each widget carries the colours its design fixes (only those roles; the others stay inherited)
// and whether its text is a link, so that its colours can be given again when high contrast is
// turned on or off.
constexpr char kDesignedColours[] = "ssnDesignedColours";
constexpr char kLink[] = "ssnLink";
constexpr char kListLook[] = "ssnListLook";

void showColours(QWidget& widget) {
    if (!highContrastAsked()) {
        widget.setPalette(widget.property(kDesignedColours).value<QPalette>());
        return;
    }
    // A palette that sets no role: the widget inherits the desktop's colours again.
    QPalette system;
    if (widget.property(kLink).toBool()) {
        system.setColor(QPalette::WindowText, systemLinkColour());
    }
    widget.setPalette(system);
}

using Role = std::pair<QPalette::ColorRole, QColor>;

void design(QWidget& widget, std::initializer_list<Role> roles) {
    const QVariant stored = widget.property(kDesignedColours);
    QPalette designed = stored.isValid() ? stored.value<QPalette>() : QPalette();
    for (const auto& [role, colour] : roles) {
        designed.setColor(role, colour);
    }
    widget.setProperty(kDesignedColours, QVariant::fromValue(designed));
    showColours(widget);
}

// The open list is a window of its own and inherits nothing from the box: it takes the box's
// colours, or the desktop's.
void showListColours(QComboBox& list) {
    QPalette palette;
    if (!highContrastAsked()) {
        for (auto role : {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text,
                          QPalette::Button, QPalette::ButtonText}) {
            palette.setColor(role, list.palette().color(role));
        }
    }
    list.view()->setPalette(palette);
}

// Whether the list's open list has been made (DropDownList makes it when it first opens).
bool hasOpenList(const QComboBox& list) {
    return list.findChild<QAbstractItemView*>() != nullptr;
}

QFont font(const QString& family, qreal points, FontStyle style) {
    QFont result;
    result.setFamily(familyShownFor(family));
    result.setPointSizeF(points);
    // Set explicitly so that a bold container does not make its children bold too.
    result.setBold(style.bold);
    result.setUnderline(style.underline);
    return result;
}

} // namespace

QFont verdana(qreal points, FontStyle style) {
    return font(QStringLiteral("Verdana"), points, style);
}

QFont msSansSerif(qreal points, FontStyle style) {
    return font(QStringLiteral("MS Sans Serif"), points, style);
}

QFont designDefaultFont() {
    return msSansSerif(8.25);
}

bool highContrastAsked() {
    return highContrastQuery();
}

HighContrastQuery setHighContrastQuery(HighContrastQuery query) {
    return std::exchange(highContrastQuery, query);
}

void reapplyColours() {
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget* widget : widgets) {
        if (widget->property(kDesignedColours).isValid() || widget->property(kLink).isValid()) {
            showColours(*widget);
        }
    }
    // After every window's colours, which the lists' own pass on to them.
    for (QWidget* widget : widgets) {
        auto* list = qobject_cast<QComboBox*>(widget);
        if (list != nullptr && list->property(kListLook).isValid() && hasOpenList(*list)) {
            showListColours(*list);
        }
    }
}

FollowHighContrast::FollowHighContrast(QObject* parent) : QObject(parent), m_asked(highContrastAsked()) {}

bool FollowHighContrast::eventFilter(QObject* watched, QEvent* event) {
    // Turning high contrast on or off changes the system's colours: the application hears of
    // the new palette, and every window of the change of theme.
    const bool paletteChange = event->type() == QEvent::ApplicationPaletteChange && watched == qApp;
    if ((paletteChange || event->type() == QEvent::ThemeChange) && highContrastAsked() != m_asked) {
        m_asked = !m_asked;
        reapplyColours();
    }
    return false;
}

void markAsLink(QWidget& widget) {
    widget.setProperty(kLink, true);
    design(widget, {});
}

void setTextColour(QWidget& widget, const QColor& text) {
    design(widget, {{QPalette::WindowText, text}});
}

void setColours(QWidget& widget, const QColor& background, const QColor& text) {
    design(widget, {{QPalette::Window, background}, {QPalette::WindowText, text}});
}

void applyDesignedColours(QWidget& window, const QColor& background) {
    design(window, {{QPalette::Window, background},
                    {QPalette::WindowText, kBlack},
                    {QPalette::Text, kBlack},
                    {QPalette::ButtonText, kBlack},
                    {QPalette::Base, kWhite},
                    {QPalette::Button, kDesktopGrey}});
    window.setAutoFillBackground(true);
}

void applyFormLook(QWidget& client) {
    applyDesignedColours(client, kFormBlue);
    design(client, {{QPalette::Base, kFormBlue},
                    {QPalette::Button, kFormBlue},
                    {QPalette::WindowText, kWhite},
                    {QPalette::Text, kWhite}});
    client.setFont(verdana(8.25));
}

void applyListLook(QComboBox& list) {
    design(list, {{QPalette::ButtonText, kWhite}});
    list.setProperty(kListLook, true);
    if (hasOpenList(list)) {
        showListColours(list);
    }
}

void colourOpenList(QComboBox& list) {
    if (list.property(kListLook).isValid()) {
        showListColours(list);
    }
}

void applyAdvertisementLook(QWidget& label) {
    setColours(label, kDesktopGrey, kAdvertisementBlue);
    label.setAutoFillBackground(true);
}

} // namespace ssn::widgets::look
