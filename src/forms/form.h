#pragma once

// One window of the program. Windows are created by Forms at their first use and loaded at
// once: the load handler runs before that use goes on. A loaded window stays loaded,
// visible or hidden, until it is unloaded; the next use after an unload gets a fresh one.

#include <QWidget>

class QEventLoop;

namespace ssn::platform {
struct Platform;
}

namespace ssn::forms {

class Forms;

// The top left corner of a window's outer frame of the given size centred on the available area of
// a screen. A window wider or taller than the area starts at its left or top edge instead, so that
// its title bar and its left part stay on the screen.
QPoint centredPlace(const QSize& outer, const QRect& available);

// Gives a control the design's name as its object name and hands it back. A window keeps its
// controls to itself; tests, screen-reader checks and other tools find one by this name.
template <class Control> Control* named(const char* name, Control* control) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

enum class Modality {
    Modeless,
    Modal // the caller waits until the window is hidden or unloaded; other windows take no input
};

class Form : public QWidget {
    Q_OBJECT

public:
    ~Form() override;

    // Shows the window; a modal show returns only once the window is hidden or unloaded.
    void show(Modality modality = Modality::Modeless);
    // Hides the window; it stays loaded with all its contents.
    void hide();
    // Runs the unload handler once, hides the window and detaches it from its owner, so
    // that the next use loads a fresh one. Safe from inside the window's own handlers: the
    // object itself is deleted later by the event loop. Unloading a window that is already
    // being unloaded does nothing.
    void unload();

    bool isUnloading() const { return m_unloading; }

protected:
    explicit Form(Forms& forms);

    virtual void Form_Load() {}
    virtual void Form_Unload() {}

    Forms& forms() const { return m_forms; }
    platform::Platform& platform() const;

    // The close box unloads the window.
    void closeEvent(QCloseEvent* event) override;
    void setVisible(bool visible) override;

private:
    friend class Forms;
    void load();

    Forms& m_forms;
    bool m_unloading = false;
    QEventLoop* m_modalLoop = nullptr;
};

} // namespace ssn::forms
