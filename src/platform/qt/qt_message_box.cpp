#include "platform/qt/qt_message_box.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QSpacerItem>

namespace ssn::platform {
namespace {

// The window a message belongs to: the program's active window; failing that, a window of the
// program on screen, one that stays on top first, since a box below it could not be seen.
QWidget* owningWindow() {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    QWidget* shown = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        // Shown windows and dialogs on the screen, not menus, tool tips or pop-ups.
        if (!window->isVisible() ||
            (window->windowType() != Qt::Window && window->windowType() != Qt::Dialog))
            continue;
        if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            return window;
        shown = shown != nullptr ? shown : window;
    }
    return shown;
}

// Window managers draw the title in a bold face beside an icon and two or three buttons; a box
// only as wide as its text would show the title cut short. Room for five squares as high as a
// title bar leaves a little to spare beside an icon and three buttons. On Wayland the title bar is
// Qt's own (6.4 draws it without asking the window): the title, in a 14-pixel face, is centred on
// the whole bar and cut where three 18-pixel buttons begin, 80 pixels from the right edge; a
// centred title needs as much on its left.
void makeRoomForTheTitle(QMessageBox& box) {
    QFont bold = box.font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    int width = metrics.horizontalAdvance(box.windowTitle()) + 5 * (metrics.height() + 8);
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        QFont face = QGuiApplication::font();
        face.setPixelSize(14);
        width = qMax(width, QFontMetrics(face).horizontalAdvance(box.windowTitle()) + 2 * 80);
    }
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(),
                      0, 1, grid->columnCount());
}

} // namespace

MessageAnswer QtMessageBox::show(const Message& message) {
    // Stands above the window it belongs to and is modal; a message with no window of the
    // program on screen (a second copy's) stays above every other window instead.
    QWidget* owner = owningWindow();
    const QPointer<QMessageBox> guard = new QMessageBox(owner);
    QMessageBox& box = *guard;
    box.setWindowModality(Qt::ApplicationModal);
    if (owner == nullptr)
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowTitle(message.caption);
    box.setTextFormat(Qt::PlainText);
    // Messages may break lines with a lone CR; plain-text labels draw that as a blank, so every
    // CR LF and every lone CR becomes the LF that a label always breaks on.
    box.setText(
        QString(message.text).replace(QRegularExpression(QStringLiteral("\r\n?")), QStringLiteral("\n")));
    box.setIcon(message.icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information);
    if (message.buttons == MessageButtons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        // A Yes/No box has no Cancel: Escape and the close box answer No.
        box.setEscapeButton(QMessageBox::No);
        box.setDefaultButton(message.defaultButton == MessageAnswer::No ? QMessageBox::No : QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
    }
    makeRoomForTheTitle(box);
    const int pressed = box.exec();
    // The owner may have gone while the box was open, and the box with it.
    delete guard.data();
    if (message.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

} // namespace ssn::platform
