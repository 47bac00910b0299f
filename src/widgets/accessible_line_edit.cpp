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
// of attributes from start to end. Qt's own interface (Qt 6.4, measured with 6.4.2; the same code
// since Qt 5) reports an empty run at every offset, and a screen reader that joins the runs to
// speak a line (Orca) then leaves out the last character: "JOH" for JOHN, "BO" for BOB. It can go
// once a stock QLineEdit in a small program is read whole under Orca on the Qt the program is built
// with. Qt offers its own interface for line edits to no one, so this one is built on the public
// interfaces alone. It reads out the text as it is: the program has no password field.
class AccessibleLineEdit : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit AccessibleLineEdit(QLineEdit* field) : QAccessibleWidget(field, QAccessible::EditableText) {
        addControllingSignal(QStringLiteral("textChanged(QString)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    QString text(QAccessible::Text kind) const override {
        QString text = kind == QAccessible::Value ? field()->text() : QString();
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
        if (startOffset > endOffset) {
            return {};
        }
        return field()->text().mid(startOffset, endOffset - startOffset);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                             int* endOffset) const override {
        return QAccessibleTextInterface::textBeforeOffset(atCaret(offset), boundary, startOffset, endOffset);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                            int* endOffset) const override {
        return QAccessibleTextInterface::textAfterOffset(atCaret(offset), boundary, startOffset, endOffset);
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* startOffset,
                         int* endOffset) const override {
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

    // -2 stands for the caret.
    int atCaret(int offset) const { return offset == -2 ? cursorPosition() : offset; }
};

} // namespace

QAccessibleInterface* newAccessibleLineEdit(QLineEdit* field) {
    return new AccessibleLineEdit(field);
}

} // namespace ssn::widgets
