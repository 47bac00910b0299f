#include "forms/name_field.h"

#include "core/input_rules.h"

#include <QLineEdit>

namespace ssn::forms {

QValidator::State NameFieldValidator::validate(QString& input, int& /*position*/) const {
    for (QChar& character : input) {
        character = QChar(core::FilterNameKey(character.unicode()));
    }
    return Acceptable;
}

void makeNameField(QLineEdit& field) {
    // The field keeps the line edit's standard limit of 32,767 characters: a single line
    // holding megabytes would be shaped again at every blink of the caret.
    field.setValidator(new NameFieldValidator(&field));
}

} // namespace ssn::forms
