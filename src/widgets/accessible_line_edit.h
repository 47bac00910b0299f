#pragma once

// A single-line text field for assistive technology: the toolkit's presentation with its text as
// one run of attributes, so that a screen reader speaks the whole text.

class QAccessibleInterface;
class QLineEdit;

namespace ssn::widgets {

QAccessibleInterface* newAccessibleLineEdit(QLineEdit* field);

} // namespace ssn::widgets
