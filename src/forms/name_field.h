#pragma once

// The three name fields of the main window: single-line, with the standard limit of 32,767
// characters, and every a..z upper-cased however it enters the field, typed or pasted.

#include <QValidator>

class QLineEdit;

namespace ssn::forms {

class NameFieldValidator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;
    // Maps every character through the name-key filter; no text is ever refused.
    State validate(QString& input, int& position) const override;
};

void makeNameField(QLineEdit& field);

} // namespace ssn::forms
