#pragma once

// A text box of the refer-a-friend panel that shows its own caption, the placeholder, while
// it holds nothing else: the placeholder goes when the box gets the focus and comes back
// when the box is left empty. The e-mail boxes also refuse the typed space key.

#include <QObject>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace ssn::widgets {

enum class SpaceKey { Accepted, Refused };

class PlaceholderField : public QObject {
    Q_OBJECT

public:
    PlaceholderField(QLineEdit& box, QString placeholder, SpaceKey spaceKey);
    // A multi-line box; its line breaks read and write as CR LF.
    PlaceholderField(QPlainTextEdit& box, QString placeholder);

    // The text as the program reads and writes it, line breaks as CR LF.
    QString text() const;
    void setText(const QString& text);

    // Empties the box when its text, blanks (code 32) trimmed, is the placeholder.
    void GotFocus();
    // Puts the placeholder back when the box's text, blanks trimmed, is empty.
    void LostFocus();

signals:
    // A typed space that the box refused; the key is dropped. Whoever tells the user (with a
    // message box) does it while this is emitted: the box then takes the focus back, with its
    // text as it was.
    void spaceRefused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PlaceholderField(QWidget& box, QLineEdit* line, QPlainTextEdit* multiLine, QString placeholder,
                     SpaceKey spaceKey);
    void refuseSpace();

    QWidget& m_box;
    QLineEdit* m_line;
    QPlainTextEdit* m_multiLine;
    QString m_placeholder;
    SpaceKey m_spaceKey;
    // While the user is told of a refused space, the focus coming and going is the message box's
    // doing, not the user's: the text must stay exactly as it was.
    bool m_refusingSpace = false;
};

} // namespace ssn::widgets
