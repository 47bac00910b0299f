#pragma once

// The exit screen, the last window of every run: the product title and icon, a support
// message drawn at load, the promotion of the sponsor's other software, a link to the home
// page and the refer-a-friend panel. It stays above every other window, and closing it, by
// its Exit button or its close box, ends the program.

#include "forms/form.h"
#include "web/mod_tell_a_friend.h"

#include <QMargins>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ssn::forms {

class LinkLabel;
class PlaceholderField;

class frmNagScreen2 : public Form {
    Q_OBJECT

public:
    explicit frmNagScreen2(Forms& forms);

    QGroupBox* Frame6 = nullptr;
    LinkLabel* lblGoToHome = nullptr;
    QLabel* Label3 = nullptr;
    QGroupBox* Frame2 = nullptr;
    // Lies below the visible part of its frame: never seen, but reached by Tab.
    QPlainTextEdit* txtMessage = nullptr;
    QLineEdit* txtFriendName = nullptr;
    QLineEdit* txtFriendEmail = nullptr;
    QLineEdit* txtEmail = nullptr;
    QPushButton* cmdSubmit = nullptr;
    QLineEdit* txtName = nullptr;
    QPushButton* cmdClose = nullptr;
    QCheckBox* Check1 = nullptr;
    QLabel* picNagscreen2Icon = nullptr;
    QLabel* lblNagScreen2Caption = nullptr;
    QLabel* Label2 = nullptr;

    // The refer-a-friend values of the last submission and the URL it built.
    const web::modTellAFriend::TellAFriendStrings& tellAFriend() const { return m_tellAFriend; }

    // The message box's text as a submission reads it: line breaks as CR LF.
    QString messageText() const;

    void cmdClose_Click();
    void cmdSubmit_Click();
    void Check1_Click();
    void lblGoToHome_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void moveEvent(QMoveEvent* event) override;

private:
    void createPromotionFrame();
    void createReferralFrame();
    void createTitleAndLinks();
    void setTabOrderByIndex();
    void fitTitle();
    // Centres the window's outer frame (the window manager's frame of the given margins
    // around it) on the screen.
    void centreOnScreen(const QMargins& frame);

    PlaceholderField* m_messageField = nullptr;
    QMargins m_centredForFrame;
    bool m_frameSeen = false;
    web::modTellAFriend::TellAFriendStrings m_tellAFriend;
};

} // namespace ssn::forms
