#include "forms/frmMain.h"

#include "core/input_rules.h"
#include "core/self_number.h"
#include "forms/captions.h"
#include "forms/exit_hand_off.h"
#include "forms/forms.h"
#include "forms/frmAbout.h"
#include "forms/frmSubconciousSelfNumber.h"
#include "forms/shared_controls.h"
#include "forms/twips.h"
#include "platform/qt_text.h"
#include "web/mod_help.h"
#include "widgets/application_icon.h"
#include "widgets/drop_down_list.h"
#include "widgets/link_label.h"
#include "widgets/look.h"
#include "widgets/name_field.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

namespace ssn::forms {

namespace modHelp = web::modHelp;
using platform::toQString;
using platform::toU16View;

namespace {

constexpr int kClientWidth = 6405;
constexpr int kClientHeight = 3330;

QLabel* addFieldCaption(QWidget& frame, const QString& caption, int left, int width) {
    auto* label = new QLabel(caption, &frame);
    label->setGeometry(twipsRect(left, 240, width, 195));
    label->setFont(widgets::look::msSansSerif(8.25));
    return label;
}

QLineEdit* addNameField(QWidget& frame, const QLabel& caption, int left, int width) {
    auto* field = new QLineEdit(&frame);
    field->setGeometry(twipsRect(left, 450, width, 315));
    field->setFont(widgets::look::verdana(8.25));
    field->setAccessibleName(caption.text());
    widgets::makeNameField(*field);
    return field;
}

QComboBox* addList(QWidget& frame, const QString& accessibleName, int left, int width) {
    auto* list = new widgets::DropDownList(&frame);
    list->setEditable(false);
    list->setGeometry(twipsRect(left, 240, width, 315));
    list->setFont(widgets::look::verdana(8.25));
    list->setAccessibleName(accessibleName);
    // On Linux the toolkit names a drop-down list by its current entry; the description keeps
    // saying which part of the date it is.
    list->setAccessibleDescription(accessibleName);
    widgets::look::applyListLook(*list);
    return list;
}

// Next (whose failed checks show a message box) and About (a modal box) run once the menu
// item's own handling is over: a menu item chosen through assistive technology then returns
// at once, instead of waiting inside the action until the box is closed.
template <typename Handler>
QAction* addDeferredAction(QMenu& menu, const QString& caption, const QObject& context, Handler handler) {
    QAction* action = menu.addAction(caption);
    QObject::connect(action, &QAction::triggered, &context, handler, Qt::QueuedConnection);
    return action;
}

} // namespace

frmMain::frmMain(Forms& forms) : Form(forms) {
    setWindowTitle(captions::kDesignedWindowCaption);
    setWindowIcon(widgets::applicationIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setMenuBar(createMenuBar());
    layout->addWidget(createClient());
    setFocusOrder();
}

QMenuBar* frmMain::createMenuBar() {
    auto* bar = new QMenuBar(this);
    platform::UrlOpener& opener = platform().urlOpener;

    nuFile = named("nuFile", bar->addMenu(captions::kMenuFile));
    mnuNext =
        named("mnuNext", addDeferredAction(*nuFile, captions::kNext, *this, [this] { cmdNext_Click(); }));
    mnuExit = named("mnuExit", nuFile->addAction(captions::kExit, this, [this] { cmdExit_Click(); }));

    mnuHelp = named("mnuHelp", bar->addMenu(captions::kMenuHelp));
    mnuOnline = named("mnuOnline", mnuHelp->addAction(captions::kMenuOnlineHelp, this,
                                                      [&opener] { modHelp::OpenHelpPage(opener); }));
    mnuVisit = named("mnuVisit", mnuHelp->addAction(captions::kMenuVisitUsOnline, this,
                                                    [&opener] { modHelp::OpenHomePage(opener); }));
    mnuFileSep1 = named("mnuFileSep1", mnuHelp->addSeparator());
    mnuUpdate = named("mnuUpdate", mnuHelp->addAction(captions::kMenuCheckForUpdate, this,
                                                      [&opener] { modHelp::OpenDownloadPage(opener); }));
    mnuFileSep2 = named("mnuFileSep2", mnuHelp->addSeparator());
    mnuAbout = named("mnuAbout", addDeferredAction(*mnuHelp, captions::kMenuAboutSoftware, *this,
                                                   [this] { this->forms().about().show(Modality::Modal); }));

    mnuDonate = named("mnuDonate", bar->addAction(captions::kMenuDonate, this,
                                                  [&opener] { modHelp::OpenDonatePage(opener); }));
    mkmoney = named("mkmoney", bar->addAction(captions::kMenuMakeMoneyOnline, this,
                                              [&opener] { modHelp::OpenFullyBrandedPage(opener); }));
    mkmoney->setVisible(false);
    return bar;
}

QWidget* frmMain::createClient() {
    auto* client = new QWidget(this);
    client->setFixedSize(twipsSize(kClientWidth, kClientHeight));
    widgets::look::applyFormLook(*client);
    platform::UrlOpener& opener = platform().urlOpener;

    const SponsorLine sponsor = addSponsorLine(*client, 80, 6255, opener);
    Frame2 = sponsor.Frame2;
    Label61 = sponsor.Label61;

    createNameFrame(*client);

    const AdvertisementPanel panel = addAdvertisementPanel(*client, 80, 2400, 6255, opener);
    fraFullBrand = panel.fraFullBrand;
    lblCobrand = panel.lblCobrand;
    lblFullBrand = panel.lblFullBrand;

    cmdExit = named("cmdExit", new QPushButton(captions::kExit, client));
    cmdExit->setGeometry(twipsRect(5040, 3600, 1215, 375));
    cmdExit->setAccessibleName(captions::kExitName);
    cmdExit->hide();
    connect(cmdExit, &QPushButton::clicked, this, [this] { cmdExit_Click(); });
    return client;
}

void frmMain::createNameFrame(QWidget& client) {
    fraName = named("fraName", new QGroupBox(captions::kNameFrame, &client));
    fraName->setGeometry(twipsRect(80, 720, 6255, 1605));
    fraName->setFont(widgets::look::verdana(8.25, {.bold = true}));

    Label1 = named("Label1", addFieldCaption(*fraName, captions::kFirstName, 90, 1905));
    txtFirstName = named("txtFirstName", addNameField(*fraName, *Label1, 90, 1905));
    Label4 = named("Label4", addFieldCaption(*fraName, captions::kMiddleName, 2115, 1965));
    txtMiddleName = named("txtMiddleName", addNameField(*fraName, *Label4, 2115, 1965));
    Label5 = named("Label5", addFieldCaption(*fraName, captions::kLastName, 4200, 1935));
    txtLastName = named("txtLastName", addNameField(*fraName, *Label5, 4200, 1935));

    createBirthDayFrame();
}

void frmMain::createBirthDayFrame() {
    fraBirthDay = named("fraBirthDay", new QGroupBox(captions::kBirthDayFrame, fraName));
    fraBirthDay->setGeometry(twipsRect(120, 840, 6045, 645));
    fraBirthDay->setFont(widgets::look::verdana(8.25, {.bold = true}));
    // Otherwise the toolkit names a group inside a group after the outer one's title.
    fraBirthDay->setAccessibleName(fraBirthDay->title());

    // Picked in the order month, day, year.
    cboMonth = named("cboMonth", addList(*fraBirthDay, captions::kBirthMonthName, 120, 1455));
    cboDate = named("cboDate", addList(*fraBirthDay, captions::kBirthDayName, 1695, 855));
    cboYear = named("cboYear", addList(*fraBirthDay, captions::kBirthYearName, 2670, 975));

    cmdNext = named("cmdNext", new QPushButton(captions::kNext, fraBirthDay));
    cmdNext->setGeometry(twipsRect(3960, 210, 1965, 375));
    cmdNext->setFont(widgets::look::verdana(8.25));
    cmdNext->setAccessibleName(captions::kNextName);
    connect(cmdNext, &QPushButton::clicked, this, [this] { cmdNext_Click(); });
}

void frmMain::setFocusOrder() {
    const std::array<QWidget*, 10> order = {txtFirstName, txtMiddleName, txtLastName, cboMonth,
                                            cboDate,      cboYear,       cmdNext,     Label61,
                                            lblCobrand,   lblFullBrand};
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    txtFirstName->setFocus();
}

void frmMain::Form_Load() {
    // An ordinary start has just run the reminder, so this second call stays silent.
    modHelp::CheckUpdateReminder(platform());
    // Each list is filled in one insertion: item by item, every entry would send the model's
    // signals to the list and its view on its own (a tenth of a megabyte of instructions per list).
    const auto numbers = [](int first, int last) {
        QStringList texts;
        texts.reserve(last - first + 1);
        for (int number = first; number <= last; ++number) {
            texts << QString::number(number);
        }
        return texts;
    };
    cboDate->addItems(numbers(1, 31));
    cboMonth->addItems(QStringList(captions::kMonthNames.begin(), captions::kMonthNames.end()));
    cboYear->addItems(numbers(1900, 2050));
    cboDate->setCurrentIndex(0);
    cboMonth->setCurrentIndex(0);
    cboYear->setCurrentIndex(0);
}

void frmMain::Form_Unload() {
    // By File, Exit or by the close box: the exit screen takes over.
    exitHandOff(forms(), *this);
}

bool frmMain::ValidateInput() {
    const QString firstName = txtFirstName->text();
    const QString lastName = txtLastName->text();
    const QString day = cboDate->currentText();
    const QString month = cboMonth->currentText();
    const QString year = cboYear->currentText();
    const core::InputCheck check = core::CheckNameAndDate({.firstName = toU16View(firstName),
                                                           .lastName = toU16View(lastName),
                                                           .dayText = toU16View(day),
                                                           .monthText = toU16View(month),
                                                           .yearText = toU16View(year),
                                                           .dayPosition = cboDate->currentIndex(),
                                                           .monthPosition = cboMonth->currentIndex()});
    if (check.ok) {
        return true;
    }
    platform().messageBox.show(platform::InformationMessage(toQString(check.message)));

    QWidget* field = nullptr;
    switch (check.focus) {
    case core::InputField::FirstName:
        field = txtFirstName;
        break;
    case core::InputField::LastName:
        field = txtLastName;
        break;
    case core::InputField::Day:
        field = cboDate;
        break;
    case core::InputField::Month:
        field = cboMonth;
        break;
    case core::InputField::Year:
        field = cboYear;
        break;
    case core::InputField::None:
        break;
    }
    if (field != nullptr) {
        field->setFocus();
    }
    return false;
}

void frmMain::cmdNext_Click() {
    if (!ValidateInput()) {
        return;
    }
    // Hidden, not unloaded: the names and the date are still here when the user comes back.
    hide();
    frmSubconciousSelfNumber& result = forms().result();
    result.show();

    const QString firstName = txtFirstName->text();
    const QString middleName = txtMiddleName->text();
    const QString lastName = txtLastName->text();
    const int number =
        core::GetSubconsciousSelfNumber(toU16View(firstName), toU16View(middleName), toU16View(lastName));
    const std::u16string report =
        core::BuildSelfNumberReport(number, core::GetSelfNumberInterpretation(number));
    result.showReport(toQString(report));
}

void frmMain::cmdExit_Click() {
    // Leaving the main window does not end the program: its unload hands over to the exit screen.
    unload();
}

void frmMain::bringAdvertisementToFront(core::CoBrandFront advertisement) {
    switch (advertisement) {
    case core::CoBrandFront::CoBrand:
        ssn::forms::bringAdvertisementToFront(*lblCobrand);
        break;
    case core::CoBrandFront::FullBrand:
        ssn::forms::bringAdvertisementToFront(*lblFullBrand);
        break;
    case core::CoBrandFront::Unchanged:
        break;
    }
}

} // namespace ssn::forms
