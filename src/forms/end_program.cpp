#include "forms/end_program.h"

#include "forms/forms.h"
#include "forms/ignore_errors.h"

#include <QPointer>

namespace ssn::forms {

namespace {

// Each nested entry comes from the unload handler of a different window, so the depth stays
// at about the number of windows; the limit only stops a handler that would recurse without end.
constexpr int kMaxNesting = 16;

void unloadEveryLoadedWindow(Forms& forms) {
    Forms::Ending& ending = forms.ending();
    std::vector<QPointer<Form>> windows;
    for (Form* form : forms.loaded()) {
        windows.emplace_back(form);
    }
    for (const QPointer<Form>& window : windows) {
        if (ending.processEnded) {
            return; // a nested entry has ended the process already
        }
        // A nested entry may have unloaded it meanwhile.
        if (window.isNull() || !forms.isLoaded(*window) || window->isUnloading()) {
            continue;
        }
        window->unload(); // keeps its handler's errors to itself
    }
}

} // namespace

void EndProgram(Forms& forms) {
    Forms::Ending& ending = forms.ending();
    if (ending.processEnded) {
        return;
    }
    if (ending.depth < kMaxNesting) {
        ++ending.depth;
        unloadEveryLoadedWindow(forms);
        --ending.depth;
    }
    if (ending.processEnded) {
        return;
    }
    ending.processEnded = true;
    ignoringErrors([&forms] { forms.platform().processEnd.endProcess(0); });
}

} // namespace ssn::forms
