#include "forms/frmSubconciousSelfNumber.h"

#include "forms/application_icon.h"
#include "forms/captions.h"
#include "forms/forms.h"
#include "forms/frmMain.h"
#include "forms/ignore_errors.h"
#include "forms/link_label.h"
#include "forms/look.h"
#include "forms/shared_controls.h"
#include "forms/twips.h"

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
    setWindowIcon(ApplicationIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(twipsSize(kClientWidth, kClientHeight));
    look::applyFormLook(*this);
    platform::UrlOpener& opener = platform().urlOpener;

    const SponsorLine sponsor = addSponsorLine(*this, 60, 6300, opener);
    Frame2 = sponsor.Frame2;
    Label61 = sponsor.Label61;

    txtDisplay = new QPlainTextEdit(this);
    txtDisplay->setGeometry(twipsRect(60, 690, 6300, 2955));
    txtDisplay->setReadOnly(true);
    txtDisplay->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    txtDisplay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Nothing can be typed into the report, so Tab may as well lead on to the next control.
    txtDisplay->setTabChangesFocus(true);
    txtDisplay->setAccessibleName(QStringLiteral("Report"));
    // Mouse moves without a pressed button count too.
    txtDisplay->viewport()->setMouseTracking(true);
    txtDisplay->viewport()->installEventFilter(this);
    connect(txtDisplay, &QPlainTextEdit::textChanged, this, [this] { emptyClipboard(); });

    cmdback = new QPushButton(QStringLiteral("&Back"), this);
    cmdback->setGeometry(twipsRect(5250, 3780, 1095, 375));
    cmdback->setAccessibleName(QStringLiteral("Back"));
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

void frmSubconciousSelfNumber::cmdback_Click() {
    Forms& owner = forms();
    // Each step runs even if an earlier one failed. The report goes with this window.
    ignoringErrors([this] { unload(); });
    ignoringErrors([&owner] { owner.main().show(); });
}

void frmSubconciousSelfNumber::Form_Unload() {
    // Leaving this window, by Back or by its close box, needs nothing more for now.
}

bool frmSubconciousSelfNumber::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txtDisplay->viewport()) {
        return Form::eventFilter(watched, event);
    }
    switch (event->type()) {
    // A click is a press and a release, so it is covered by those two.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        emptyClipboard();
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
