#include "widgets/name_field.h"

#include "core/input_rules.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

namespace ssn::widgets {

namespace {

void upperCase(QString& text) {
    for (QChar& character : text) {
        character = QChar(core::FilterNameKey(character.unicode()));
    }
}

QString upperCased(QString text) {
    upperCase(text);
    return text;
}

// Ends the field's current undo step, as the line edit's own paste does before and after it
// inserts, so that a paste is one step of its own after the typing before it. QLineEdit offers
// no public call for that, but a move of the caret ends a step (its behaviour since Qt 4; a Qt
// that changes it would undo a paste together with the typing before it). The caret and the
// selection are put back as they were.
void endUndoStep(QLineEdit& field) {
    const int caret = field.cursorPosition();
    const int start = field.selectionStart();
    const int length = field.selectionLength();
    const int elsewhere = caret > 0 ? caret - 1 : caret + 1;
    if (elsewhere > field.text().size()) {
        return; // an empty field: no text to keep apart from what comes in
    }
    field.setCursorPosition(elsewhere);
    if (length == 0) {
        field.setCursorPosition(caret);
    } else if (caret == start) {
        field.setSelection(start + length, -length);
    } else {
        field.setSelection(start, length);
    }
}

// Text on its way into a name field is upper-cased before the field takes it, so that the
// field records in its own undo history what it shows. Rewriting the text afterwards would
// wipe that history, so the validator only catches what comes in by other ways (setText, a
// drop).
class NameFieldInput : public QObject {
public:
    explicit NameFieldInput(QLineEdit& field) : QObject(&field), m_field(field) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        // While the field is being destroyed it still sends events, but is no line edit any more.
        if (qobject_cast<QLineEdit*>(watched) != &m_field || m_field.isReadOnly()) {
            return false;
        }
        switch (event->type()) {
        case QEvent::KeyPress:
            return keyPress(*static_cast<QKeyEvent*>(event));
        case QEvent::InputMethod:
            return inputMethod(*static_cast<QInputMethodEvent*>(event));
        case QEvent::MouseButtonRelease:
            return middleClickPaste(*static_cast<QMouseEvent*>(event));
        case QEvent::ContextMenu:
            return contextMenu(*static_cast<QContextMenuEvent*>(event));
        default:
            return false;
        }
    }

private:
    bool keyPress(QKeyEvent& event) {
        if (event.matches(QKeySequence::Paste)) {
            paste(QClipboard::Clipboard);
            event.accept();
            return true;
        }
        const QString text = upperCased(event.text());
        if (text == event.text()) {
            return false;
        }
        QKeyEvent upper(event.type(), event.key(), event.modifiers(), event.nativeScanCode(),
                        event.nativeVirtualKey(), event.nativeModifiers(), text, event.isAutoRepeat(),
                        static_cast<quint16>(event.count()), event.device());
        QCoreApplication::sendEvent(&m_field, &upper);
        event.setAccepted(upper.isAccepted());
        return true;
    }

    bool inputMethod(QInputMethodEvent& event) {
        const QString text = upperCased(event.commitString());
        if (text == event.commitString()) {
            return false;
        }
        QInputMethodEvent upper(event.preeditString(), event.attributes());
        upper.setCommitString(text, event.replacementStart(), event.replacementLength());
        QCoreApplication::sendEvent(&m_field, &upper);
        return true;
    }

    bool middleClickPaste(QMouseEvent& event) {
        if (event.button() != Qt::MiddleButton || !QGuiApplication::clipboard()->supportsSelection()) {
            return false;
        }
        m_field.deselect();
        paste(QClipboard::Selection);
        event.accept();
        return true;
    }

    bool contextMenu(QContextMenuEvent& event) {
        QMenu* menu = m_field.createStandardContextMenu();
        if (menu == nullptr) {
            return false;
        }
        for (QAction* action : menu->actions()) {
            // Qt 6.4 names none of the menu's items: Paste is the one whose caption starts with
            // the line edit's own translated "&Paste"; from Qt 6.5 on it is also named. A Qt that
            // captions it otherwise leaves the toolkit's paste in place, whose text the validator
            // rewrites, wiping the undo history of a paste through the context menu.
            const bool pastes = action->objectName() == QStringLiteral("edit-paste") ||
                                action->text().startsWith(QLineEdit::tr("&Paste"));
            if (pastes) {
                disconnect(action, &QAction::triggered, &m_field, nullptr);
                connect(action, &QAction::triggered, this, [this] { paste(QClipboard::Clipboard); });
            }
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event.globalPos());
        event.accept();
        return true;
    }

    void paste(QClipboard::Mode mode) {
        const QString text = QGuiApplication::clipboard()->text(mode);
        if (!text.isEmpty() || m_field.hasSelectedText()) {
            endUndoStep(m_field);
            m_field.insert(upperCased(text));
            endUndoStep(m_field);
        }
    }

    QLineEdit& m_field;
};

} // namespace

QValidator::State NameFieldValidator::validate(QString& input, int& /*position*/) const {
    upperCase(input);
    return Acceptable;
}

void makeNameField(QLineEdit& field) {
    // The field keeps the line edit's standard limit of 32,767 characters: a single line
    // holding megabytes would be shaped again at every blink of the caret.
    field.setValidator(new NameFieldValidator(&field));
    field.installEventFilter(new NameFieldInput(field));
}

} // namespace ssn::widgets
