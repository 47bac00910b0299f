#include "forms/frmNagScreen.h"

#include "core/cobrand.h"
#include "forms/captions.h"
#include "forms/end_program.h"
#include "forms/forms.h"
#include "forms/frmMain.h"
#include "forms/ignore_errors.h"
#include "forms/shared_controls.h"
#include "forms/twips.h"
#include "web/mod_help.h"
#include "web/support_messages.h"
#include "widgets/application_icon.h"

#include <QLabel>

namespace ssn::forms {

namespace {

constexpr int kIconTwips = 480;

} // namespace

frmNagScreen::frmNagScreen(Forms& forms) : Form(forms) {
    // The form is never shown, so its layout only has to hold the members together.
    setWindowFlags(Qt::Window);
    IMGIcon.add(widgets::applicationIcon());
    picNagscreenIcon =
        named("picNagscreenIcon", addPlainLabel(*this, QString(), twipsRect(120, 120, kIconTwips, kIconTwips),
                                                font(), Wrapping::Words));
    lblNagScreenCaption =
        named("lblNagScreenCaption",
              addPlainLabel(*this, QString(), twipsRect(720, 120, 6000, 435), font(), Wrapping::Words));
    lblNagScreenDonationCaption =
        named("lblNagScreenDonationCaption",
              addPlainLabel(*this, QString(), twipsRect(120, 720, 6600, 255), font(), Wrapping::Words));
    Label2 = named(
        "Label2", addPlainLabel(*this, QString(), twipsRect(120, 1080, 6600, 1095), font(), Wrapping::Words));
    // Created in this order, so the fully-branded offer lies in front until it is changed.
    lblCobrand = named("lblCobrand", addPlainLabel(*this, QString(), twipsRect(120, 2280, 6600, 615), font(),
                                                   Wrapping::Words));
    lblFullBrand = named("lblFullBrand", addPlainLabel(*this, QString(), twipsRect(120, 2285, 6600, 615),
                                                       font(), Wrapping::Words));
}

void frmNagScreen::Form_Load() {
    // The steps that can fail are wrapped, so that every step runs whatever happened before it.
    setWindowTitle(captions::kRunTimeCaption);
    lblNagScreenCaption->setText(captions::kRunTimeCaption);
    setWindowIcon(IMGIcon.image(1));
    picNagscreenIcon->setPixmap(IMGIcon.image(1).pixmap(twipsSize(kIconTwips, kIconTwips)));
    lblNagScreenDonationCaption->setText(captions::kDonationLine);

    if (refuseSecondCopy()) {
        // EndProgram has unloaded this form; nothing of it may be touched any more.
        return;
    }

    platform::Platform& desktop = platform();
    ignoringErrors([&desktop] { desktop.random.seedFromTimer(); });
    ignoringErrors([this, &desktop] { Label2->setText(web::supportMessageFor(desktop.random.next())); });
    // The reminder's question, if any, comes before any window of the program is seen.
    ignoringErrors([&desktop] { web::modHelp::CheckUpdateReminder(desktop); });
    ignoringErrors([this] { forms().main().show(); });
    // A main window that could not be made or shown (memory ran out, say) would leave a copy
    // that nobody sees or can close, holding the lock against every later start: it ends.
    if (!forms().isLoaded<frmMain>() || !forms().main().isVisible()) {
        EndProgram(forms());
        return;
    }
    hide();
    // After the main window is up, so the label brought to the front is the one the user sees.
    ignoringErrors([this] { CoBrand_Randomize(); });
}

bool frmNagScreen::refuseSecondCopy() {
    bool running = false;
    ignoringErrors([this, &running] { running = platform().instanceGuard.previousInstanceRunning(); });
    if (!running) {
        return false;
    }
    ignoringErrors(
        [this] { platform().messageBox.show(platform::InformationMessage(captions::kAlreadyRunning)); });
    EndProgram(forms());
    return true;
}

void frmNagScreen::CoBrand_Randomize() {
    intCoBrandRandomNumber = core::CoBrandNumber(platform().random.next());
    const core::CoBrandFront front = core::CoBrandFrontFor(intCoBrandRandomNumber);
    switch (front) {
    case core::CoBrandFront::CoBrand:
        lblCobrand->raise();
        break;
    case core::CoBrandFront::FullBrand:
        lblFullBrand->raise();
        break;
    case core::CoBrandFront::Unchanged:
        return;
    }
    forms().main().bringAdvertisementToFront(front);
}

void frmNagScreen::Form_Unload() {
    // The program cannot outlive this form.
    EndProgram(forms());
}

} // namespace ssn::forms
