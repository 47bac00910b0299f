#include "forms/frmSubconciousSelfNumber.h"

#include "forms/captions.h"
#include "forms/exit_hand_off.h"
#include "forms/forms.h"
#include "forms/frmMain.h"
#include "forms/frmNagScreen2.h"
#include "forms/ignore_errors.h"
#include "forms/shared_controls.h"
#include "forms/twips.h"
#include "widgets/application_icon.h"
#include "widgets/link_label.h"
#include "widgets/look.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QPushButton>

namespace ssn::forms {

namespace {
constexpr int kClientWidth = 6420;
constexpr int kClientHeight = 5130;
} // namespace

frmSubconciousSelfNumber::frmSubconciousSelfNumber(Forms& forms) : Form(forms) {
    setWindowTitle(captions::kDesignedWindowCaption);
    setWindowIcon(widgets::applicationIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsSize(kClientWidth, kClientHeight));
    widgets::look::applyFormLook(*this);
    platform::UrlOpener& opener = platform().urlOpener;

    const SponsorLine sponsor = addSponsorLine(*this, 60, 6300, opener);
    Frame2 = sponsor.Frame2;
    Label61 = sponsor.Label61;

    txtDisplay = named("txtDisplay", new QPlainTextEdit(this));
    txtDisplay->setGeometry(twipsRect(60, 690, 6300, 2955));
    txtDisplay->setReadOnly(true);
    txtDisplay->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    txtDisplay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Nothing can be typed into the report, so Tab may as well lead on to the next control.
    txtDisplay->setTabChangesFocus(true);
    txtDisplay->setAccessibleName(captions::kReportName);
    // Mouse moves without a pressed button count too.
    txtDisplay->viewport()->setMouseTracking(true);
    txtDisplay->viewport()->installEventFilter(this);
    connect(txtDisplay, &QPlainTextEdit::textChanged, this, [this] { emptyClipboard(); });

    cmdback = named("cmdback", new QPushButton(captions::kBackButton, this));
    cmdback->setGeometry(twipsRect(5250, 3780, 1095, 375));
    cmdback->setAccessibleName(captions::kBackName);
    connect(cmdback, &QPushButton::clicked, this, [this] { cmdback_Click(); });

    // Never restacked in this window: the fully-branded offer stays in front.
    const AdvertisementPanel panel = addAdvertisementPanel(*this, 60, 4200, 6300, opener);
    fraFullBrand = panel.fraFullBrand;
    lblCobrand = panel.lblCobrand;
    lblFullBrand = panel.lblFullBrand;

    setTabOrder(txtDisplay, cmdback);
    setTabOrder(cmdback, Label61);
    setTabOrder(Label61, lblCobrand);
    setTabOrder(lblCobrand, lblFullBrand);
    txtDisplay->setFocus();
}

void frmSubconciousSelfNumber::showReport(const QString& report) {
    txtDisplay->setPlainText(report);
    txtDisplay->moveCursor(QTextCursor::Start);
}

void frmSubconciousSelfNumber::cmdback_Click() {
    Forms& owner = forms();
    // Each step runs even if an earlier one failed. The report goes with this window, and its
    // unload hands over to the exit screen, which is put away again at once (kept off the screen
    // meanwhile): it stays loaded, hidden, with the support message it drew, until a later exit
    // shows it. The unload keeps its handler's errors to itself; showing or hiding a window that
    // is not loaded loads it, which can fail.
    {
        const Forms::KeepingOffScreen offScreen(owner);
        unload();
    }
    ignoringErrors([&owner] { owner.main().show(); });
    hideStartUpForm(owner);
    ignoringErrors([&owner] { owner.nagScreen2().hide(); });
}

void frmSubconciousSelfNumber::Form_Unload() {
    // By Back or by its close box: the exit screen takes over.
    ignoringErrors([this] { exitHandOff(forms(), *this); });
}

bool frmSubconciousSelfNumber::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txtDisplay->viewport()) {
        return Form::eventFilter(watched, event);
    }
    switch (event->type()) {
    // A click is a press and a release, so it is covered by those two.
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
        emptyClipboard();
        break;
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        emptyClipboard();
        // Where the desktop has a selection clipboard, the box puts what the mouse selected
        // there as it handles the event; that goes too, once the box is done with it.
        QMetaObject::invokeMethod(this, &frmSubconciousSelfNumber::emptyClipboard, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return false; // the box still selects and scrolls as usual
}

void frmSubconciousSelfNumber::emptyClipboard() {
    platform().clipboard.clear();
}

} // namespace ssn::forms
