#include "widgets/placeholder_field.h"

#include "platform/platform.h"
#include "web/placeholder_rules.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <utility>

namespace ssn::widgets {

namespace {

// Only a move of the focus between controls counts. The window losing or regaining the
// activation (another program, a message box) and a context menu opening over the box leave
// the focus where it is, as far as the box is concerned.
bool movesFocusBetweenControls(const QEvent& event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

PlaceholderField::PlaceholderField(QLineEdit& box, QString placeholder, SpaceKey spaceKey,
                                   platform::MessageBoxService& messageBox)
    : PlaceholderField(box, &box, nullptr, std::move(placeholder), spaceKey, messageBox) {}

PlaceholderField::PlaceholderField(QPlainTextEdit& box, QString placeholder,
                                   platform::MessageBoxService& messageBox)
    : PlaceholderField(box, nullptr, &box, std::move(placeholder), SpaceKey::Accepted, messageBox) {}

PlaceholderField::PlaceholderField(QWidget& box, QLineEdit* line, QPlainTextEdit* multiLine,
                                   QString placeholder, SpaceKey spaceKey,
                                   platform::MessageBoxService& messageBox)
    : QObject(&box), m_box(box), m_line(line), m_multiLine(multiLine), m_placeholder(std::move(placeholder)),
      m_spaceKey(spaceKey), m_messageBox(messageBox) {
    m_box.installEventFilter(this);
}

QString PlaceholderField::text() const {
    if (m_line != nullptr) {
        return m_line->text();
    }
    // The box keeps paragraphs; the program's texts break lines with CR LF.
    QString text = m_multiLine->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void PlaceholderField::setText(const QString& text) {
    if (m_line != nullptr) {
        m_line->setText(text);
    } else {
        m_multiLine->setPlainText(text);
    }
}

void PlaceholderField::GotFocus() {
    const QString current = text();
    const QString cleared = web::ClearPlaceholder(current, m_placeholder);
    if (cleared != current) {
        setText(cleared);
    }
}

void PlaceholderField::LostFocus() {
    const QString current = text();
    const QString restored = web::RestorePlaceholder(current, m_placeholder);
    if (restored != current) {
        setText(restored);
    }
}

void PlaceholderField::RefuseSpace() {
    m_refusingSpace = true;
    static_cast<void>(m_messageBox.show(platform::CriticalMessage(web::kEmailCannotContainSpace)));
    // Back where the user was typing, with the text as it was. When the window is not active
    // yet, this makes the box the one that gets the focus as soon as it is.
    m_box.setFocus(Qt::OtherFocusReason);
    m_refusingSpace = false;
}

bool PlaceholderField::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &m_box) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::FocusIn:
        if (!m_refusingSpace && movesFocusBetweenControls(*event)) {
            GotFocus();
        }
        break;
    case QEvent::FocusOut:
        if (!m_refusingSpace && movesFocusBetweenControls(*event)) {
            LostFocus();
        }
        break;
    case QEvent::KeyPress:
        // The typed key only: text pasted with its spaces is let through.
        if (m_spaceKey == SpaceKey::Refused &&
            static_cast<QKeyEvent*>(event)->text() == QStringLiteral(" ")) {
            RefuseSpace();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace ssn::widgets
