#include "widgets/accessibility.h"

#include "widgets/accessible_line_edit.h"
#include "widgets/link_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QPointer>
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

// A frame with a caption as the toolkit presents it, less the controls that the program hides. Qt's
// own interface (Qt 6.4, measured with 6.4.2) lists every child widget to assistive technology,
// hidden or not, so a screen reader finds a control that no person can see or reach: the exit
// screen's message box, which lies below the visible part of its frame. It can go once the
// accessibility tree of a stock QGroupBox leaves out a hidden child.
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
        return newAccessibleLineEdit(static_cast<QLineEdit*>(object));
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
    // Every event of the application passes here: the kind of event is asked first, which is
    // cheaper than the kind of object.
    if (event->type() != QEvent::FocusIn) {
        return false;
    }
    // Sent whether or not assistive technology listens, as the toolkit sends its own text events.
    if (qobject_cast<QLineEdit*>(watched) == nullptr && qobject_cast<QPlainTextEdit*>(watched) == nullptr) {
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
