#pragma once

// A text box of the refer-a-friend panel that shows its own caption, the placeholder, while
// it holds nothing else: the placeholder goes when the box gets the focus and comes back
// when the box is left empty. The e-mail boxes also refuse the typed space key.

#include <QObject>
#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace ssn::platform {
class MessageBoxService;
}

namespace ssn::widgets {

enum class SpaceKey { Accepted, Refused };

class PlaceholderField : public QObject {
    Q_OBJECT

public:
    PlaceholderField(QLineEdit& box, QString placeholder, SpaceKey spaceKey,
                     platform::MessageBoxService& messageBox);
    // A multi-line box; its line breaks read and write as CR LF.
    PlaceholderField(QPlainTextEdit& box, QString placeholder, platform::MessageBoxService& messageBox);

    // The text as the program reads and writes it, line breaks as CR LF.
    QString text() const;
    void setText(const QString& text);

    void GotFocus();
    void LostFocus();
    // Shows the no-space message and gives the focus back to the box; the key is dropped.
    void RefuseSpace();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PlaceholderField(QWidget& box, QLineEdit* line, QPlainTextEdit* multiLine, QString placeholder,
                     SpaceKey spaceKey, platform::MessageBoxService& messageBox);

    QWidget& m_box;
    QLineEdit* m_line;
    QPlainTextEdit* m_multiLine;
    QString m_placeholder;
    SpaceKey m_spaceKey;
    platform::MessageBoxService& m_messageBox;
    // While the no-space message is up, the focus coming and going is the message box's doing,
    // not the user's: the text must stay exactly as it was.
    bool m_refusingSpace = false;
};

} // namespace ssn::widgets
