#include "widgets/accessible_line_edit.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>

namespace ssn::widgets {

namespace {

// A single-line text field as the toolkit presents it, with one difference: its text is one run
// of attributes from start to end. The toolkit's own interface reports an empty run at every
// offset, and a screen reader that joins the runs to speak a line (Orca) then leaves out the last
// character: "JOH" for JOHN. Qt offers its own interface for line
// edits to no one, so this one is built on the public interfaces alone.
class AccessibleLineEdit : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit AccessibleLineEdit(QLineEdit* field) : QAccessibleWidget(field, QAccessible::EditableText) {
        addControllingSignal(QStringLiteral("textChanged(QString)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    QString text(QAccessible::Text kind) const override {
        QString text;
        if (kind == QAccessible::Value && field()->echoMode() == QLineEdit::Normal) {
            text = field()->text();
        } else if (kind == QAccessible::Value && field()->echoMode() != QLineEdit::NoEcho) {
            text = QString(field()->text().size(), QLatin1Char('*'));
        }
        if (text.isEmpty()) {
            text = QAccessibleWidget::text(kind);
        }
        if (text.isEmpty() && kind == QAccessible::Description) {
            text = field()->placeholderText();
        }
        return text;
    }

    void setText(QAccessible::Text kind, const QString& text) override {
        if (kind != QAccessible::Value) {
            QAccessibleWidget::setText(kind, text);
            return;
        }
        QString checked = text;
        int position = 0;
        const QValidator* validator = field()->validator();
        if (validator == nullptr || validator->validate(checked, position) == QValidator::Acceptable) {
            field()->setText(checked);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.readOnly = field()->isReadOnly();
        state.passwordEdit = field()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString attributes(int /*offset*/, int* startOffset, int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && field()->hasSelectedText()) {
            *startOffset = field()->selectionStart();
            *endOffset = field()->selectionEnd();
        }
    }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) {
            field()->deselect();
        }
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) {
            field()->setSelection(startOffset, endOffset - startOffset);
        }
    }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override {
        if (startOffset > endOffset || field()->echoMode() != QLineEdit::Normal) {
            return {};
        }
        return field()->text().mid(startOffset, endOffset - startOffset);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override {
        if (hidesText(startOffset, endOffset)) {
            return {};
        }
        return QAccessibleTextInterface::textBeforeOffset(atCaret(offset), boundary, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override {
        if (hidesText(startOffset, endOffset)) {
            return {};
        }
        return QAccessibleTextInterface::textAfterOffset(atCaret(offset), boundary, startOffset, endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override {
        if (hidesText(startOffset, endOffset)) {
            return {};
        }
        return QAccessibleTextInterface::textAtOffset(atCaret(offset), boundary, startOffset, endOffset);
    }
    int characterCount() const override { return static_cast<int>(field()->text().size()); }

    // Measured from the caret, whose place on screen the field tells, so that a scrolled text
    // is measured where it is shown.
    QRect characterRect(int offset) const override {
        const QString character = text(offset, offset + 1);
        if (character.isEmpty()) {
            return {};
        }
        const QFontMetrics metrics(field()->font());
        const QString shown = field()->text();
        const QRect caret = field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int left = caret.x() + metrics.horizontalAdvance(shown.left(offset)) -
                         metrics.horizontalAdvance(shown.left(field()->cursorPosition()));
        return {field()->mapToGlobal(QPoint(left, caret.y())),
                QSize(metrics.horizontalAdvance(character), metrics.height())};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override {
        field()->setCursorPosition(endIndex);
        field()->setCursorPosition(startIndex);
    }

    void deleteText(int startOffset, int endOffset) override {
        field()->setText(field()->text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString& text) override {
        field()->setText(field()->text().insert(offset, text));
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        field()->setText(field()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit* field() const { return static_cast<QLineEdit*>(widget()); }

    // A password is not read out, not even in parts.
    bool hidesText(int* startOffset, int* endOffset) const {
        if (field()->echoMode() == QLineEdit::Normal) {
            return false;
        }
        *startOffset = *endOffset = -1;
        return true;
    }
    // -2 stands for the caret.
    int atCaret(int offset) const { return offset == -2 ? cursorPosition() : offset; }
};

} // namespace

QAccessibleInterface* NewAccessibleLineEdit(QLineEdit* field) {
    return new AccessibleLineEdit(field);
}

} // namespace ssn::widgets
