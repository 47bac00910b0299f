#include "widgets/accessibility.h"

#include "widgets/link_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QValidator>
#include <algorithm>

namespace ssn::widgets {

namespace {

// A link label is a link with one action, Press, which does what a click does. The press is
// carried out after the action has returned, so whatever it opens never keeps the assistive
// technology waiting. The covered one of two stacked advertisements cannot be seen or clicked,
// so it is reported as invisible and cannot be pressed.
class AccessibleLinkLabel : public QAccessibleWidget {
public:
    explicit AccessibleLinkLabel(LinkLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty()) {
            text = label()->text();
        }
        return text;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = true;
        if (label()->isCovered()) {
            state.invisible = true;
            state.focusable = false;
        }
        return state;
    }

    QStringList actionNames() const override {
        if (label()->isCovered()) {
            return {};
        }
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (label()->isCovered() || !label()->isEnabled()) {
            return;
        }
        if (actionName == pressAction()) {
            QMetaObject::invokeMethod(label(), &LinkLabel::clicked, Qt::QueuedConnection);
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }

    QStringList keyBindingsForAction(const QString& actionName) const override {
        if (actionName == pressAction()) {
            return {QStringLiteral("Return"), QStringLiteral("Space")};
        }
        return QAccessibleWidget::keyBindingsForAction(actionName);
    }

private:
    LinkLabel* label() const { return static_cast<LinkLabel*>(widget()); }
};

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

// A caption's text without its access-key marks, as the toolkit names a group box ("&&" is "&").
QString withoutAccessKeys(const QString& caption) {
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
        }
        text += caption[i];
    }
    return text;
}

// A frame with a caption as the toolkit presents it, less the controls that the program hides. The
// toolkit lists every child to assistive technology, hidden or not; a control hidden on purpose
// (the exit screen's message box, which lies below the visible part of its frame) is no more part
// of what a screen reader finds than of what a person sees or reaches.
class AccessibleGroupBox : public QAccessibleWidget {
public:
    explicit AccessibleGroupBox(QGroupBox* box) : QAccessibleWidget(box, QAccessible::Grouping) {}

    QString text(QAccessible::Text kind) const override {
        QString text = QAccessibleWidget::text(kind);
        if (text.isEmpty() && kind == QAccessible::Name) {
            text = withoutAccessKeys(box()->title());
        }
        return text;
    }

    int childCount() const override { return static_cast<int>(shownChildren().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QAccessibleInterface*> shown = shownChildren();
        return index >= 0 && index < shown.size() ? shown.at(index) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        const QList<QAccessibleInterface*> shown = shownChildren();
        const auto found = std::find(shown.begin(), shown.end(), child);
        return found == shown.end() ? -1 : static_cast<int>(found - shown.begin());
    }

    // The caption labels the controls inside, as the toolkit's own group box says.
    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match = QAccessible::AllRelations) const override {
        QList<QPair<QAccessibleInterface*, QAccessible::Relation>> related =
            QAccessibleWidget::relations(match);
        if (match & QAccessible::Labelled && !box()->title().isEmpty()) {
            for (QAccessibleInterface* shown : shownChildren()) {
                related.append({shown, QAccessible::Labelled});
            }
        }
        return related;
    }

private:
    QGroupBox* box() const { return static_cast<QGroupBox*>(widget()); }

    QList<QAccessibleInterface*> shownChildren() const {
        QList<QAccessibleInterface*> shown;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i) {
            QAccessibleInterface* child = QAccessibleWidget::child(i);
            const auto* control = child != nullptr ? qobject_cast<QWidget*>(child->object()) : nullptr;
            if (control != nullptr && control->isVisibleTo(box())) {
                shown.append(child);
            }
        }
        return shown;
    }
};

QAccessibleInterface* accessibleInterfaceFor(const QString& className, QObject* object) {
    if (className == QLatin1String(LinkLabel::staticMetaObject.className())) {
        return new AccessibleLinkLabel(static_cast<LinkLabel*>(object));
    }
    if (className == QLatin1String(QLineEdit::staticMetaObject.className())) {
        return new AccessibleLineEdit(static_cast<QLineEdit*>(object));
    }
    // A group box that can be checked keeps the toolkit's interface, a check box's.
    if (className == QLatin1String(QGroupBox::staticMetaObject.className()) &&
        !static_cast<QGroupBox*>(object)->isCheckable()) {
        return new AccessibleGroupBox(static_cast<QGroupBox*>(object));
    }
    // A frame without a border that holds controls (the sponsor line, the advertisement panel)
    // only groups them; the toolkit's default, a frame, reads as a window of its own to screen
    // readers, which then ignore the focus inside it.
    if (className == QLatin1String("QFrame")) {
        auto* frame = static_cast<QFrame*>(object);
        if (!frame->isWindow() && frame->frameShape() == QFrame::NoFrame &&
            frame->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly) != nullptr) {
            return new QAccessibleWidget(frame, QAccessible::Grouping);
        }
    }
    return nullptr;
}

} // namespace

bool AnnounceTextFocusFirst::eventFilter(QObject* watched, QEvent* event) {
    const bool textField =
        qobject_cast<QLineEdit*>(watched) != nullptr || qobject_cast<QPlainTextEdit*>(watched) != nullptr;
    // Sent whether or not assistive technology listens, as the toolkit sends its own text events.
    if (event->type() != QEvent::FocusIn || !textField) {
        return false;
    }
    QAccessibleEvent focus(watched, QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
    // The toolkit's own focus announcement follows once the field has handled the focus, with the
    // field's caret events before it. A screen reader (Orca) that finds both announcements in its
    // queue drops the first as a repeat, and the caret event then moves its focus silently. A caret
    // event sent after the toolkit's announcement makes it drop the earlier caret event instead
    // (it keeps the latest of a kind), so one of the two announcements is spoken either way.
    QMetaObject::invokeMethod(
        this,
        [field = QPointer<QObject>(watched)] {
            QAccessibleInterface* accessible = field ? QAccessible::queryAccessibleInterface(field) : nullptr;
            if (accessible != nullptr && accessible->textInterface() != nullptr) {
                QAccessibleTextCursorEvent caret(field, accessible->textInterface()->cursorPosition());
                QAccessible::updateAccessibility(&caret);
            }
        },
        Qt::QueuedConnection);
    return false;
}

void InstallAccessibleInterfaces() {
    QAccessible::installFactory(accessibleInterfaceFor);
}

} // namespace ssn::widgets
