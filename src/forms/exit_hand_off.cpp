#include "forms/exit_hand_off.h"

#include "forms/forms.h"
#include "forms/frmNagScreen.h"
#include "forms/frmNagScreen2.h"

namespace ssn::forms {

namespace {

// The exit screen shown, or none while the program is ending.
frmNagScreen2* showExitScreen(Forms& forms) {
    // While EndProgram walks the windows, the exit screen is gone, on its way out or about to
    // go: it is neither loaded afresh, nor brought back, nor given the keyboard then.
    const Forms::Ending& ending = forms.ending();
    if (ending.depth > 0 || ending.processEnded) {
        return nullptr;
    }
    frmNagScreen2& exitScreen = forms.nagScreen2();
    if (exitScreen.isUnloading()) {
        return nullptr;
    }
    exitScreen.show(Modality::Modeless);
    return &exitScreen;
}

} // namespace

void exitHandOff(Forms& forms, Form& closing) {
    frmNagScreen2* exitScreen = showExitScreen(forms);
    hideStartUpForm(forms);
    // The unload under way would hide the closing window only once its handler has returned.
    // It goes now, because it had the keyboard: the exit screen on top of everything takes it
    // once the closing window is gone, as on Windows. Asked while the closing window was still
    // there, an X11 window manager may hand the focus on as that window goes, and xfwm4 at times
    // leaves it with nothing. Not while the exit screen is kept off the screen (Back).
    closing.hide();
    if (exitScreen != nullptr && exitScreen->isVisible() && !forms.keepingOffScreen()) {
        exitScreen->activateWindow();
    }
}

void hideStartUpForm(Forms& forms) {
    if (forms.isLoaded<frmNagScreen>()) {
        forms.nagScreen().hide();
    }
}

} // namespace ssn::forms
