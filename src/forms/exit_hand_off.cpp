#include "forms/exit_hand_off.h"

#include "forms/forms.h"
#include "forms/frmNagScreen.h"
#include "forms/frmNagScreen2.h"

namespace ssn::forms {

namespace {

void showExitScreen(Forms& forms) {
    // While EndProgram walks the windows, the exit screen may be gone or on its way out
    // already; it is neither loaded afresh nor brought back then.
    const Forms::Ending& ending = forms.ending();
    const bool programEnding = ending.depth > 0 || ending.processEnded;
    if (programEnding && !forms.isLoaded<frmNagScreen2>()) {
        return;
    }
    frmNagScreen2& exitScreen = forms.nagScreen2();
    if (!exitScreen.isUnloading()) {
        exitScreen.show(Modality::Modeless);
    }
}

} // namespace

void ExitHandOff(Forms& forms, Form& closing) {
    showExitScreen(forms);
    // The start-up form lives for the whole run; using one that is gone would load it and
    // start the program afresh.
    if (forms.isLoaded<frmNagScreen>()) {
        forms.nagScreen().hide();
    }
    closing.unload();
}

} // namespace ssn::forms
