#pragma once

// The desktop's style, except that the toolkit bitmaps the main window needs are read with the
// built-in PNG reader. The toolkit itself reads them through QIcon::addFile and QPixmap::load,
// which first ask every installed image plugin (a vector-image one with its library among them)
// whether it can read the file: more than a megabyte and a millisecond at every start, for a
// menu bar's overflow arrow and a group box's frame.

#include <QProxyStyle>

namespace ssn::forms {

class BuiltInBitmapsStyle : public QProxyStyle {
    Q_OBJECT

public:
    BuiltInBitmapsStyle();

    using QProxyStyle::polish;
    // Puts the group box frame into the pixmap cache, where the style's painting finds it.
    void polish(QApplication* application) override;

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace ssn::forms
