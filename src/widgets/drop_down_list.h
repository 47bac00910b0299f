#pragma once

// A drop-down list whose open list is made when it is first needed. The toolkit makes a list's
// open list (a window of its own with a view of the entries) at the list's first change of
// font, which every list of the program has while its window is built: three of them cost
// about as much as building the rest of the main window's controls, for a part nobody sees
// before opening a list. Made later, the open list takes the list's font as it would have then
// (it inherits the font of the box), and its colours when it opens (look::colourOpenList).

#include <QComboBox>

namespace ssn::widgets {

// No meta-object of its own: the accessibility bridge, the style and the tests see the same
// QComboBox as before.
class DropDownList : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override;

protected:
    void changeEvent(QEvent* event) override;
};

} // namespace ssn::widgets
