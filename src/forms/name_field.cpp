#include "forms/name_field.h"

#include "core/input_rules.h"

#include <QLineEdit>
#include <limits>

namespace ssn::forms {

QValidator::State NameFieldValidator::validate(QString& input, int& /*position*/) const {
    for (QChar& character : input) {
        character = QChar(core::FilterNameKey(character.unicode()));
    }
    return Acceptable;
}

void makeNameField(QLineEdit& field) {
    // A line edit stops at 32767 characters unless told otherwise; a name has no limit.
    field.setMaxLength(std::numeric_limits<int>::max());
    field.setValidator(new NameFieldValidator(&field));
}

} // namespace ssn::forms
