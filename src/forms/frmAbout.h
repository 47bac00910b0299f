#pragma once

// What the program is for, with two links to the sponsor's pages. Shown modally from the
// main window's Help menu; OK, Enter, Escape or the close box unload it.

#include "forms/form.h"

class QFrame;
class QLabel;
class QPushButton;

namespace ssn::widgets {
class LinkLabel;
}

namespace ssn::forms {

class frmAbout : public Form {
    Q_OBJECT

public:
    explicit frmAbout(Forms& forms);

    void cmdOK_Click();

protected:
    // Enter and Escape, unless a control with the focus used them, close the box.
    void keyPressEvent(QKeyEvent* event) override;
    // The box belongs to the window it is opened from, as a message box does: window managers
    // that place a dialog over its own window (metacity, icewm) place it over that window.
    void setVisible(bool visible) override;

private:
    // The window's controls, each with its member's name as its object name.
    QLabel* Picture1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    widgets::LinkLabel* lblHomePage = nullptr;
    QLabel* Label3 = nullptr;
    widgets::LinkLabel* lblCoBrand = nullptr; // stands under the fully-branded offer and opens its page
    QFrame* Line1 = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace ssn::forms
