#include "widgets/look.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QPalette>
#include <QWidget>

namespace ssn::widgets::look {

namespace {

QFont font(const QString& family, qreal points, FontStyle style) {
    QFont result;
    result.setFamily(family);
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

void setTextColour(QWidget& widget, const QColor& text) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::WindowText, text);
    widget.setPalette(palette);
}

void setColours(QWidget& widget, const QColor& background, const QColor& text) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget.setPalette(palette);
}

void applyDesignedColours(QWidget& window, const QColor& background) {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, background);
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(role, kBlack);
    }
    palette.setColor(QPalette::Base, kWhite);
    palette.setColor(QPalette::Button, kDesktopGrey);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

void applyFormLook(QWidget& client) {
    applyDesignedColours(client, kFormBlue);
    QPalette palette = client.palette();
    for (auto role : {QPalette::Base, QPalette::Button}) {
        palette.setColor(role, kFormBlue);
    }
    for (auto role : {QPalette::WindowText, QPalette::Text}) {
        palette.setColor(role, kWhite);
    }
    client.setPalette(palette);
    client.setFont(verdana(8.25));
}

void applyListLook(QComboBox& list) {
    QPalette palette = list.palette();
    palette.setColor(QPalette::ButtonText, kWhite);
    list.setPalette(palette);
    // The open list is a window of its own and inherits nothing from the box.
    list.view()->setPalette(palette);
}

void applyAdvertisementLook(QWidget& label) {
    setColours(label, kDesktopGrey, kAdvertisementBlue);
    label.setAutoFillBackground(true);
}

} // namespace ssn::widgets::look
