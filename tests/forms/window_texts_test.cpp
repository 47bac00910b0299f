// What a person reads on each window, held once: one table of window, control and the design's
// own words, written out here, against what the control shows (a window's caption, a frame's or
// a menu's title, the text of everything else), never against the constant the window uses, so
// that a changed word in the window or in its constant fails a row.

#include "expected_texts.h"
#include "forms/frmAbout.h"
#include "forms/frmMain.h"
#include "forms/frmNagScreen.h"
#include "forms/frmNagScreen2.h"
#include "forms/frmSubconciousSelfNumber.h"
#include "forms_fixture.h"
#include "widgets/link_label.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <vector>

namespace ssn::forms::test {
namespace {

enum class Window { StartUp, Main, Result, About, Exit };
const char* const kWindowNames[] = {"StartUp", "Main", "Result", "About", "Exit"};
void PrintTo(Window window, std::ostream* out) {
    *out << kWindowNames[static_cast<int>(window)];
}

struct TextRow {
    Window window;
    std::function<QObject*(Forms&)> control;
    QString text;
};

template <class W> std::function<QObject*(Forms&)> caption(W& (Forms::*window)()) {
    return [window](Forms& forms) -> QObject* { return &(forms.*window)(); };
}

template <class W> std::function<QObject*(Forms&)> on(W& (Forms::*window)(), const char* name) {
    return [window, name](Forms& forms) { return control<QObject>((forms.*window)(), name); };
}

// The text as the control shows it.
QString shownText(const QObject& control) {
    if (const auto* menu = qobject_cast<const QMenu*>(&control)) {
        return menu->menuAction()->text(); // the menu bar's entry
    }
    if (const auto* window = qobject_cast<const QWidget*>(&control);
        window != nullptr && window->isWindow()) {
        return window->windowTitle();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(&control)) {
        return frame->title();
    }
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(&control)) {
        return box->toPlainText(); // a CR LF shows as a line break
    }
    return control.property("text").toString(); // labels, buttons, fields, check boxes, menu items
}

using expected::kDesignedCaption;
using expected::kRunTimeCaption;
const QString kSponsorLine = QStringLiteral("The Most Popular Online Zorvic Discussion Board. Best Resource "
                                            "For Everything Zorvic. Visit Velmora Now");
// "&&" in the design shows as one "&".
const QString kCoBrand = QStringLiteral(
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your "
    "site's name &  link here. See \"Help\" for details.    Click Here for more info on co-branding.");
const QString kFullBrand =
    QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                   "money online. Get this software fully branded for your website. Click "
                   "here for more details.");

const std::vector<TextRow> kTexts = {
    {Window::StartUp, caption(&Forms::nagScreen), kRunTimeCaption},
    {Window::StartUp, on(&Forms::nagScreen, "lblNagScreenCaption"), kRunTimeCaption},
    {Window::StartUp, on(&Forms::nagScreen, "lblNagScreenDonationCaption"),
     "The donation for VL Subconscious Self Number is $3.00. Donate Now."},

    {Window::Main, caption(&Forms::main), kDesignedCaption},
    {Window::Main, on(&Forms::main, "Label61"), kSponsorLine},
    {Window::Main, on(&Forms::main, "fraName"), "Please Fill In The Below Details:"},
    {Window::Main, on(&Forms::main, "Label1"), "First Name"},
    {Window::Main, on(&Forms::main, "Label4"), "Middle Name"},
    {Window::Main, on(&Forms::main, "Label5"), "Last Name"},
    {Window::Main, on(&Forms::main, "fraBirthDay"), "Date Of Birth"},
    {Window::Main, on(&Forms::main, "cmdNext"), "&Next"},
    {Window::Main, on(&Forms::main, "lblCobrand"), kCoBrand},
    {Window::Main, on(&Forms::main, "lblFullBrand"), kFullBrand},
    {Window::Main, on(&Forms::main, "cmdExit"), "E&xit"},
    {Window::Main, on(&Forms::main, "nuFile"), "&File"},
    {Window::Main, on(&Forms::main, "mnuNext"), "&Next"},
    {Window::Main, on(&Forms::main, "mnuExit"), "E&xit"},
    {Window::Main, on(&Forms::main, "mnuHelp"), "&Help"},
    {Window::Main, on(&Forms::main, "mnuOnline"), "&Online Help"},
    {Window::Main, on(&Forms::main, "mnuVisit"), "&Visit Us Online"},
    {Window::Main, on(&Forms::main, "mnuUpdate"), "&Check for Software Update"},
    {Window::Main, on(&Forms::main, "mnuAbout"), "&About Software"},
    {Window::Main, on(&Forms::main, "mnuDonate"), "&Donate"},
    {Window::Main, on(&Forms::main, "mkmoney"), "Make Money &Online"},

    {Window::Result, caption(&Forms::result), kDesignedCaption},
    {Window::Result, on(&Forms::result, "Label61"), kSponsorLine},
    {Window::Result, on(&Forms::result, "cmdback"), "&Back"},
    {Window::Result, on(&Forms::result, "lblCobrand"), kCoBrand},
    {Window::Result, on(&Forms::result, "lblFullBrand"), kFullBrand},

    {Window::About, caption(&Forms::about), kDesignedCaption},
    {Window::About, on(&Forms::about, "Label2"), kDesignedCaption},
    {Window::About, on(&Forms::about, "Label1"),
     "VL Subconscious Self Number Software gives you an idea about the strengths and weaknesses in your "
     "character. So, by knowing your strengths you get an inner confidence to face hurdles in life and by "
     "knowing "
     "your weaknesses you get an opportunity to work on them and rectify them. All rights reserved."},
    {Window::About, on(&Forms::about, "lblHomePage"), "Click here to visit Velmora"},
    {Window::About, on(&Forms::about, "Label3"),
     "Home Business Opportunity. Start your own Internet business and make money online. Get this software "
     "fully branded for your website. "},
    {Window::About, on(&Forms::about, "lblCoBrand"), "Click here for more details."},
    {Window::About, on(&Forms::about, "cmdOK"), "OK"},

    {Window::Exit, caption(&Forms::nagScreen2), kRunTimeCaption},
    {Window::Exit, on(&Forms::nagScreen2, "lblNagScreen2Caption"), kRunTimeCaption},
    {Window::Exit, on(&Forms::nagScreen2, "Frame6"), "Download Zorvic Softwares"},
    {Window::Exit, on(&Forms::nagScreen2, "lblGoToHome"), "Click Here To Visit Zorvic Softwares"},
    {Window::Exit, on(&Forms::nagScreen2, "Label3"), expected::kPromotion},
    {Window::Exit, on(&Forms::nagScreen2, "Frame2"), "Refer A Friend"},
    {Window::Exit, on(&Forms::nagScreen2, "txtMessage"), "Your Message\n"},
    {Window::Exit, on(&Forms::nagScreen2, "txtFriendName"), "Friend's Name"},
    {Window::Exit, on(&Forms::nagScreen2, "txtFriendEmail"), "Friend's Email Address"},
    {Window::Exit, on(&Forms::nagScreen2, "txtEmail"), "Your Email Address"},
    {Window::Exit, on(&Forms::nagScreen2, "cmdSubmit"), "Refer A Friend &Now"},
    {Window::Exit, on(&Forms::nagScreen2, "txtName"), "Your Name"},
    {Window::Exit, on(&Forms::nagScreen2, "cmdClose"), "E&xit"},
    {Window::Exit, on(&Forms::nagScreen2, "Check1"), "Click Here To Visit Velmora Now"},
};

class WindowTextsTest : public FormsTest, public ::testing::WithParamInterface<Window> {
protected:
    // Brings the window up the way a person reaches it.
    void open(Window window) {
        forms->nagScreen(); // the start: the main window comes up
        if (window == Window::Result) {
            QTest::keyClicks(control(forms->main(), "txtFirstName"), "john");
            QTest::keyClicks(control(forms->main(), "txtLastName"), "smith");
            control<QPushButton>(forms->main(), "cmdNext")->click();
        } else if (window == Window::About) {
            forms->about();
        } else if (window == Window::Exit) {
            control<QAction>(forms->main(), "mnuExit")->trigger();
        }
    }
};

TEST_P(WindowTextsTest, EachControlShowsTheDesignsWords) {
    open(GetParam());
    int rows = 0;
    for (const TextRow& row : kTexts) {
        if (row.window == GetParam()) {
            const QObject* control = row.control(*forms);
            EXPECT_EQ(shownText(*control).toStdString(), row.text.toStdString())
                << control->metaObject()->className();
            ++rows;
        }
    }
    EXPECT_GT(rows, 0);
}

INSTANTIATE_TEST_SUITE_P(Windows, WindowTextsTest,
                         ::testing::Values(Window::StartUp, Window::Main, Window::Result, Window::About,
                                           Window::Exit),
                         [](const auto& row) { return kWindowNames[static_cast<int>(row.param)]; });

} // namespace
} // namespace ssn::forms::test
