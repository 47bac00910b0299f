#include "forms/look.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPalette>
#include <QWidget>

namespace ssn::forms::look {

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

void applyFormLook(QWidget& client) {
    QPalette palette = client.palette();
    for (auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        palette.setColor(role, kFormBlue);
    }
    for (auto role : {QPalette::WindowText, QPalette::Text}) {
        palette.setColor(role, kWhite);
    }
    client.setPalette(palette);
    client.setAutoFillBackground(true);
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
    setColours(label, QApplication::palette().color(QPalette::Window), kAdvertisementBlue);
    label.setAutoFillBackground(true);
}

} // namespace ssn::forms::look
