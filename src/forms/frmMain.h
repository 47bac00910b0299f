#pragma once

// The window in which the user works: three name fields, the birth date, Next, the menu
// bar, the sponsor line at the top and the advertisement panel at the bottom.

#include "core/cobrand.h"
#include "forms/form.h"

class QAction;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace ssn::widgets {
class LinkLabel;
}

namespace ssn::forms {

class frmMain : public Form {
    Q_OBJECT

public:
    explicit frmMain(Forms& forms);

    // Validates the input and, when it passes, hands over to the result window with the report.
    void cmdNext_Click();
    void cmdExit_Click();
    // Shows the first failed check's message and moves the focus to its field.
    bool ValidateInput();
    // Brings the drawn advertisement of the panel to the front; Unchanged leaves the panel as it is.
    void bringAdvertisementToFront(core::CoBrandFront advertisement);

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    // The window's controls, each with its member's name as its object name.
    QMenu* nuFile = nullptr;
    QAction* mnuNext = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuOnline = nullptr;
    QAction* mnuVisit = nullptr;
    QAction* mnuFileSep1 = nullptr;
    QAction* mnuUpdate = nullptr;
    QAction* mnuFileSep2 = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuDonate = nullptr;
    // Switched off: not shown in the menu bar, but it keeps its action.
    QAction* mkmoney = nullptr;

    QFrame* Frame2 = nullptr;
    widgets::LinkLabel* Label61 = nullptr;
    QGroupBox* fraName = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* txtFirstName = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtMiddleName = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* txtLastName = nullptr;
    QGroupBox* fraBirthDay = nullptr;
    QComboBox* cboMonth = nullptr;
    QComboBox* cboDate = nullptr;
    QComboBox* cboYear = nullptr;
    QPushButton* cmdNext = nullptr;
    QFrame* fraFullBrand = nullptr;
    widgets::LinkLabel* lblCobrand = nullptr;
    widgets::LinkLabel* lblFullBrand = nullptr;
    QPushButton* cmdExit = nullptr; // never visible; File, Exit runs its click handler

    QWidget* createClient();
    QMenuBar* createMenuBar();
    void createNameFrame(QWidget& client);
    void createBirthDayFrame();
    void setFocusOrder();
};

} // namespace ssn::forms
