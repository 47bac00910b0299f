#include "forms/exit_hand_off.h"

#include "forms/forms.h"
#include "forms/frmNagScreen.h"
#include "forms/frmNagScreen2.h"

namespace ssn::forms {

namespace {

// The exit screen shown, or none while the program is ending.
frmNagScreen2* showExitScreen(Forms& forms) {
    // While EndProgram walks the windows, the exit screen may be gone or on its way out
    // already; it is neither loaded afresh nor brought back then.
    const Forms::Ending& ending = forms.ending();
    const bool programEnding = ending.depth > 0 || ending.processEnded;
    if (programEnding && !forms.isLoaded<frmNagScreen2>()) {
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

void ExitHandOff(Forms& forms, Form& closing) {
    frmNagScreen2* exitScreen = showExitScreen(forms);
    // The start-up form lives for the whole run; using one that is gone would load it and
    // start the program afresh.
    if (forms.isLoaded<frmNagScreen>()) {
        forms.nagScreen().hide();
    }
    closing.unload();
    // The closing window had the keyboard. Once it is gone, the exit screen on top of everything
    // takes it, as on Windows; an X11 window manager may otherwise leave the focus with nothing
    // (xfwm4 does at times). Not while the exit screen is kept off the screen (Back).
    if (exitScreen != nullptr && exitScreen->isVisible() && !forms.keepingOffScreen()) {
        exitScreen->activateWindow();
    }
}

} // namespace ssn::forms
