#pragma once

// The result window: the report in a read-only box, Back to the main window, the sponsor
// line and the advertisement panel. It empties the clipboard whenever the report changes
// or the mouse works on it.

#include "forms/form.h"

class QFrame;
class QPlainTextEdit;
class QPushButton;

namespace ssn::widgets {
class LinkLabel;
}

namespace ssn::forms {

class frmSubconciousSelfNumber : public Form {
    Q_OBJECT

public:
    explicit frmSubconciousSelfNumber(Forms& forms);

    // Shows a report (lines broken by CR LF) with the caret at its start.
    void showReport(const QString& report);

    void cmdback_Click();

protected:
    void Form_Unload() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window's controls, each with its member's name as its object name.
    QFrame* Frame2 = nullptr;
    widgets::LinkLabel* Label61 = nullptr;
    QPlainTextEdit* txtDisplay = nullptr;
    QPushButton* cmdback = nullptr;
    QFrame* fraFullBrand = nullptr;
    widgets::LinkLabel* lblCobrand = nullptr;
    widgets::LinkLabel* lblFullBrand = nullptr; // always the one in front here

    void emptyClipboard();
};

} // namespace ssn::forms
