#include "forms/forms.h"

#include "forms/frmAbout.h"
#include "forms/frmMain.h"
#include "forms/frmNagScreen.h"
#include "forms/frmNagScreen2.h"
#include "forms/frmSubconciousSelfNumber.h"
#include "forms/window_accessibility.h"

#include <algorithm>

namespace ssn::forms {

Forms::Forms(const platform::Platform& platform) : m_platform(platform) {
    InstallWindowAccessibility();
}

Forms::~Forms() {
    for (auto* list : {&m_loaded, &m_unloaded}) {
        for (const QPointer<Form>& form : *list) {
            delete form.data();
        }
    }
}

frmMain& Forms::main() {
    return use<frmMain>();
}

frmSubconciousSelfNumber& Forms::result() {
    return use<frmSubconciousSelfNumber>();
}

frmAbout& Forms::about() {
    return use<frmAbout>();
}

frmNagScreen& Forms::nagScreen() {
    return use<frmNagScreen>();
}

frmNagScreen2& Forms::nagScreen2() {
    return use<frmNagScreen2>();
}

bool Forms::isLoaded(const Form& form) const {
    return std::any_of(m_loaded.begin(), m_loaded.end(),
                       [&form](const QPointer<Form>& loaded) { return loaded.data() == &form; });
}

std::vector<Form*> Forms::loaded() const {
    std::vector<Form*> result;
    for (const QPointer<Form>& form : m_loaded) {
        if (form) {
            result.push_back(form.data());
        }
    }
    return result;
}

Form* Forms::find(const std::type_info& type) const {
    for (const QPointer<Form>& form : m_loaded) {
        if (form && typeid(*form.data()) == type) {
            return form.data();
        }
    }
    return nullptr;
}

void Forms::detach(Form& form) {
    const auto isGone = [&form](const QPointer<Form>& entry) {
        return entry.isNull() || entry.data() == &form;
    };
    m_loaded.erase(std::remove_if(m_loaded.begin(), m_loaded.end(), isGone), m_loaded.end());
    m_unloaded.erase(std::remove_if(m_unloaded.begin(), m_unloaded.end(),
                                    [](const QPointer<Form>& entry) { return entry.isNull(); }),
                     m_unloaded.end());
    m_unloaded.emplace_back(&form);
}

} // namespace ssn::forms
