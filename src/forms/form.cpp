#include "forms/form.h"

#include "forms/forms.h"
#include "forms/ignore_errors.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWindow>

namespace ssn::forms {

QPoint centredPlace(const QSize& outer, const QRect& available) {
    QRect centred(QPoint(), outer);
    centred.moveCenter(available.center());
    return {outer.width() > available.width() ? available.left() : centred.left(),
            outer.height() > available.height() ? available.top() : centred.top()};
}

Form::Form(Forms& forms) : m_forms(forms) {}

Form::~Form() {
    if (m_modalLoop != nullptr) {
        m_modalLoop->quit();
    }
}

platform::Platform& Form::platform() const {
    return m_forms.platform();
}

void Form::load() {
    Form_Load();
}

void Form::show(Modality modality) {
    const Qt::WindowModality wanted = modality == Modality::Modal ? Qt::ApplicationModal : Qt::NonModal;
    if (windowModality() != wanted) {
        // A window takes a new modality only when it is shown again.
        if (isVisible()) {
            QWidget::hide();
        }
        setWindowModality(wanted);
    }
    if (QWindow* window = windowHandle(); window != nullptr && isHidden()) {
        // A window shown again comes back where the user left it: asking for its own place
        // keeps the window manager from placing it anew.
        window->setPosition(window->position());
    }
    QWidget::show();
    if (modality == Modality::Modeless || m_modalLoop != nullptr || !isVisible()) {
        return;
    }
    QEventLoop loop;
    m_modalLoop = &loop;
    const QPointer<Form> self(this);
    loop.exec(QEventLoop::DialogExec);
    if (self) {
        m_modalLoop = nullptr;
    }
}

void Form::hide() {
    QWidget::hide();
}

void Form::unload() {
    if (m_unloading) {
        return;
    }
    m_unloading = true;
    // A failing unload handler must not leave a half-closed window behind: the window goes all
    // the same, and EndProgram's walk goes on with the next one.
    ignoringErrors([this] { Form_Unload(); });
    QWidget::hide();
    m_forms.detach(*this);
    deleteLater();
}

void Form::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void Form::setVisible(bool visible) {
    if (visible) {
        setAttribute(Qt::WA_DontShowOnScreen, m_forms.keepingOffScreen());
    }
    QWidget::setVisible(visible);
    if (!visible && m_modalLoop != nullptr) {
        m_modalLoop->quit();
    }
}

} // namespace ssn::forms
