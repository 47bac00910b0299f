#include "forms/frmAbout.h"

#include "forms/captions.h"
#include "forms/forms.h"
#include "forms/frmMain.h"
#include "forms/shared_controls.h"
#include "forms/twips.h"
#include "web/mod_help.h"
#include "widgets/application_icon.h"
#include "widgets/link_label.h"
#include "widgets/look.h"

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QWindow>

namespace ssn::forms {

namespace modHelp = web::modHelp;

namespace {

constexpr int kClientWidth = 6825;
constexpr int kClientHeight = 3750;

widgets::LinkLabel* addLink(QWidget& parent, const QString& caption, const QRect& geometry) {
    auto* link = new widgets::LinkLabel(caption, &parent);
    link->setGeometry(geometry);
    link->setFont(widgets::look::verdana(8.25, {.underline = true}));
    return link;
}

} // namespace

frmAbout::frmAbout(Forms& forms) : Form(forms) {
    setWindowTitle(captions::kDesignedWindowCaption);
    setWindowIcon(widgets::applicationIcon());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twipsSize(kClientWidth, kClientHeight));
    widgets::look::applyFormLook(*this);
    platform::UrlOpener& opener = platform().urlOpener;

    Picture1 = named("Picture1", new QLabel(this));
    Picture1->setGeometry(twipsRect(120, 120, 480, 480));
    Picture1->setAccessibleName(captions::kApplicationIconName);
    Picture1->setPixmap(windowIcon().pixmap(Picture1->size()));

    Label2 =
        named("Label2", addPlainLabel(*this, captions::kDesignedWindowCaption, twipsRect(960, 120, 4815, 255),
                                      widgets::look::verdana(9.75, {.bold = true}), Wrapping::Words));
    Label1 = named("Label1", addPlainLabel(*this, captions::kDescription, twipsRect(720, 480, 5895, 1185),
                                           widgets::look::verdana(8.25), Wrapping::Words));

    lblHomePage =
        named("lblHomePage", addLink(*this, captions::kVisitVelmoraLink, twipsRect(2640, 1800, 4050, 255)));
    connect(lblHomePage, &widgets::LinkLabel::clicked, this, [&opener] { modHelp::OpenHomePage(opener); });

    Label3 =
        named("Label3", addPlainLabel(*this, captions::kFullBrandPromotion, twipsRect(720, 2160, 5685, 675),
                                      widgets::look::verdana(8.25, {.bold = true}), Wrapping::Words));

    lblCoBrand =
        named("lblCoBrand", addLink(*this, captions::kMoreDetailsLink, twipsRect(4320, 3000, 2355, 255)));
    connect(lblCoBrand, &widgets::LinkLabel::clicked, this,
            [&opener] { modHelp::OpenFullyBrandedPage(opener); });

    Line1 = named("Line1", new QFrame(this));
    Line1->setGeometry(0, twipsToPixels(3270), width(), 2);
    Line1->setAutoFillBackground(true);
    Line1->setBackgroundRole(QPalette::WindowText); // the white of the texts

    cmdOK = named("cmdOK", new QPushButton(captions::kOk, this));
    cmdOK->setGeometry(twipsRect(5400, 3360, 1260, 345));
    cmdOK->setAccessibleName(captions::kOk);
    connect(cmdOK, &QPushButton::clicked, this, [this] { cmdOK_Click(); });

    // OK first, so that Enter right after opening closes the box rather than following a link.
    setTabOrder(cmdOK, lblHomePage);
    setTabOrder(lblHomePage, lblCoBrand);
    cmdOK->setFocus();
}

void frmAbout::cmdOK_Click() {
    unload();
}

void frmAbout::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        cmdOK_Click();
        return;
    default:
        Form::keyPressEvent(event);
    }
}

void frmAbout::setVisible(bool visible) {
    if (visible) {
        // The active window, failing that (the box chosen through assistive technology while
        // another program had the keyboard) the main window, from whose menu it is opened.
        QWidget* owner = QApplication::activeWindow();
        if ((owner == nullptr || owner == this) && forms().isLoaded<frmMain>()) {
            owner = &forms().main();
        }
        // Without an owner of its own, the toolkit makes a dialog transient for a hidden window.
        create();
        windowHandle()->setTransientParent(owner != nullptr && owner != this ? owner->windowHandle()
                                                                             : nullptr);
    }
    Form::setVisible(visible);
}

} // namespace ssn::forms
