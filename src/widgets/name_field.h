#pragma once

// The three name fields of the main window: single-line, with the standard limit of 32,767
// characters, and every a..z upper-cased however it enters the field, typed or pasted. Typed
// and pasted text is upper-cased on its way in, so undo and redo work as in any other field.

#include <QValidator>

class QLineEdit;

namespace ssn::widgets {

class NameFieldValidator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;
    // Maps every character through the name-key filter; no text is ever refused. Catches what
    // comes in other than typed or pasted (set by the program, dropped).
    State validate(QString& input, int& position) const override;
};

void makeNameField(QLineEdit& field);

} // namespace ssn::widgets
