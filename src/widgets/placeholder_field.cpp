#include "widgets/placeholder_field.h"

#include "platform/qt_text.h"

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

PlaceholderField::PlaceholderField(QLineEdit& box, QString placeholder, SpaceKey spaceKey)
    : PlaceholderField(box, &box, nullptr, std::move(placeholder), spaceKey) {}

PlaceholderField::PlaceholderField(QPlainTextEdit& box, QString placeholder)
    : PlaceholderField(box, nullptr, &box, std::move(placeholder), SpaceKey::Accepted) {}

PlaceholderField::PlaceholderField(QWidget& box, QLineEdit* line, QPlainTextEdit* multiLine,
                                   QString placeholder, SpaceKey spaceKey)
    : QObject(&box), m_box(box), m_line(line), m_multiLine(multiLine), m_placeholder(std::move(placeholder)),
      m_spaceKey(spaceKey) {
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

// Each writes only a change, so that a box holding other text keeps its caret and undo history.
void PlaceholderField::GotFocus() {
    if (platform::trimBlanks(text()) == m_placeholder) {
        setText(QString());
    }
}

void PlaceholderField::LostFocus() {
    if (platform::trimBlanks(text()).isEmpty()) {
        setText(m_placeholder);
    }
}

void PlaceholderField::refuseSpace() {
    m_refusingSpace = true;
    emit spaceRefused();
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
            refuseSpace();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace ssn::widgets
