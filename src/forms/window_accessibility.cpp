#include "forms/window_accessibility.h"

#include "forms/form.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace ssn::forms {

namespace {

class AccessibleForm : public QAccessibleWidget {
public:
    explicit AccessibleForm(Form* form)
        : QAccessibleWidget(form,
                            form->windowType() == Qt::Dialog ? QAccessible::Dialog : QAccessible::Window) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.modal = widget()->isModal();
        return state;
    }
};

QAccessibleInterface* windowInterfaceFor(const QString& className, QObject* object) {
    if (className == QLatin1String(Form::staticMetaObject.className())) {
        auto* form = static_cast<Form*>(object);
        return form->isWindow() ? new AccessibleForm(form) : nullptr;
    }
    return nullptr;
}

} // namespace

void InstallWindowAccessibility() {
    QAccessible::installFactory(windowInterfaceFor);
}

} // namespace ssn::forms
