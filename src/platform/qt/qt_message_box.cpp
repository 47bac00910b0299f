#include "platform/qt/qt_message_box.h"

#include <QMessageBox>

namespace ssn::platform {
namespace {

// Messages may break lines with a lone CR; plain-text labels draw that as a blank, so every
// CR LF and every lone CR becomes the LF that a label always breaks on.
QString withLineFeeds(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

MessageAnswer QtMessageBox::show(const Message& message) {
    QMessageBox box;
    box.setWindowTitle(message.caption);
    box.setTextFormat(Qt::PlainText);
    box.setText(withLineFeeds(message.text));
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
    const int pressed = box.exec();
    if (message.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return pressed == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

} // namespace ssn::platform
