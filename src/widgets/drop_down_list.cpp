#include "widgets/drop_down_list.h"

#include "widgets/look.h"

#include <QAbstractItemView>
#include <QEvent>

namespace ssn::widgets {

void DropDownList::showPopup() {
    look::colourOpenList(*this);
    QComboBox::showPopup();
}

void DropDownList::changeEvent(QEvent* event) {
    // Before the open list exists, a change of font is the box's alone: the toolkit would make
    // the open list only to give it the font, which it inherits when it is made. The size the
    // box would like is worked out again when it is first shown (the default size policy). A
    // list that can be typed in keeps the toolkit's handling, which also places its text field.
    if (event->type() == QEvent::FontChange && !isEditable() && findChild<QAbstractItemView*>() == nullptr) {
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}

} // namespace ssn::widgets
