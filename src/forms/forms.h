#pragma once

// The owner of the program's windows. Each window is created and loaded at its first use
// through its accessor; after an unload the same accessor loads a fresh one. The loaded
// windows can be walked in the order they were loaded.

#include "forms/form.h"
#include "platform/platform.h"

#include <QPointer>
#include <type_traits>
#include <typeinfo>
#include <vector>

namespace ssn::forms {

class frmMain;
class frmSubconciousSelfNumber;
class frmAbout;
class frmNagScreen;
class frmNagScreen2;

class Forms {
public:
    explicit Forms(const platform::Platform& platform);
    // Destroys the windows still loaded without running their unload handlers, as the end
    // of the process does.
    ~Forms();
    Forms(const Forms&) = delete;
    Forms& operator=(const Forms&) = delete;

    platform::Platform& platform() { return m_platform; }

    // One accessor per window of the program; each loads its window on first use.
    frmMain& main();
    frmSubconciousSelfNumber& result();
    frmAbout& about();
    frmNagScreen& nagScreen();
    frmNagScreen2& nagScreen2();

    // The window of class F, created and loaded now if it is not loaded.
    template <class F> F& use();

    template <class F> bool isLoaded() const { return find(typeid(F)) != nullptr; }
    bool isLoaded(const Form& form) const;
    // The loaded windows in load order, those being unloaded included.
    std::vector<Form*> loaded() const;

    // What EndProgram keeps across its nested entries: how deep they go, and whether one of
    // them has ended the process (a process end that returns, as in tests, leaves the rest
    // of the program to stop by itself).
    struct Ending {
        int depth = 0;
        bool processEnded = false;
    };
    Ending& ending() { return m_ending; }

    // While one of these lives, a window that is shown stays off the screen: shown as far as the
    // program goes, but never handed to the window system. Back keeps the exit screen so while
    // the result window's unload brings it up, since Back puts it away again at once: no window
    // manager activates it and no screen reader announces it on the way.
    class KeepingOffScreen {
    public:
        explicit KeepingOffScreen(Forms& forms) : m_forms(forms) { m_forms.m_keepingOffScreen = true; }
        ~KeepingOffScreen() { m_forms.m_keepingOffScreen = false; }
        KeepingOffScreen(const KeepingOffScreen&) = delete;
        KeepingOffScreen& operator=(const KeepingOffScreen&) = delete;

    private:
        Forms& m_forms;
    };
    bool keepingOffScreen() const { return m_keepingOffScreen; }

private:
    friend class Form;
    Form* find(const std::type_info& type) const;
    void detach(Form& form);

    platform::Platform m_platform;
    std::vector<QPointer<Form>> m_loaded;   // in load order
    std::vector<QPointer<Form>> m_unloaded; // gone from the program, waiting for deletion
    Ending m_ending;
    bool m_keepingOffScreen = false;
};

template <class F> F& Forms::use() {
    static_assert(std::is_base_of_v<Form, F>, "only windows are loaded on use");
    if (Form* existing = find(typeid(F))) {
        return static_cast<F&>(*existing);
    }
    auto* form = new F(*this);
    // Registered before its load handler runs, so that the handler and anything it calls
    // reach this same window rather than loading a second one.
    m_loaded.emplace_back(form);
    static_cast<Form*>(form)->load();
    return *form;
}

} // namespace ssn::forms
