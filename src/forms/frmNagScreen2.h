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

namespace ssn::widgets {
class LinkLabel;
class PlaceholderField;
} // namespace ssn::widgets

namespace ssn::forms {

class frmNagScreen2 : public Form {
    Q_OBJECT

public:
    explicit frmNagScreen2(Forms& forms);

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
    // Exit has the focus whenever the window appears, and the window's description (the support
    // message and the promotion) is there for screen readers to say.
    void showEvent(QShowEvent* event) override;
    // The description goes once the window has been active and loses the keyboard, so that it is
    // said once per appearance, not again after each of the window's message boxes.
    void changeEvent(QEvent* event) override;
    // The window is made topmost and shown without being activated, as its opener still has the
    // focus; it takes the keyboard once the opener has gone. On X11, though, a window shown
    // "without activating" is marked as one that must not take the focus when it appears
    // (_NET_WM_USER_TIME 0), and some window managers (xfwm4) then never give it the keyboard,
    // not even on a click. So the mark is taken off as the window appears: the activation is the
    // window manager's, as for any window that comes up while its opener goes away.
    void setVisible(bool visible) override;

private:
    // The window's controls, each with its member's name as its object name.
    QGroupBox* Frame6 = nullptr;
    widgets::LinkLabel* lblGoToHome = nullptr;
    QLabel* Label3 = nullptr;
    QGroupBox* Frame2 = nullptr;
    // Lies below the visible part of its frame: hidden, never reached, its text sent as it is.
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

    void createPromotionFrame();
    void createReferralFrame();
    void createTitleAndLinks();
    // A placeholder field that refuses the typed space with the window's message.
    void makeEmailBox(QLineEdit& box, const QString& placeholder);
    void setTabOrderByIndex();
    void fitTitle();
    // Centres the window's outer frame (the window manager's frame of the given margins
    // around it) on the screen; a frame larger than the screen starts at its left or top edge.
    void centreOnScreen(const QMargins& frame);
    // What a screen reader says as the window appears: the support message and the promotion.
    QString spokenDescription() const;

    widgets::PlaceholderField* m_messageField = nullptr;
    bool m_describedWhileActive = false;
    QMargins m_centredForFrame;
    bool m_frameSeen = false;
    web::modTellAFriend::TellAFriendStrings m_tellAFriend;
};

} // namespace ssn::forms
