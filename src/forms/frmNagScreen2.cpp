#include "forms/frmNagScreen2.h"

#include "forms/captions.h"
#include "forms/end_program.h"
#include "forms/forms.h"
#include "forms/shared_controls.h"
#include "forms/twips.h"
#include "web/mod_help.h"
#include "web/support_messages.h"
#include "widgets/application_icon.h"
#include "widgets/link_label.h"
#include "widgets/look.h"
#include "widgets/placeholder_field.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <array>

namespace ssn::forms {

namespace modHelp = web::modHelp;
namespace modTellAFriend = web::modTellAFriend;

namespace {

constexpr int kClientWidth = 11115;
constexpr int kClientHeight = 4725;
constexpr int kIconTwips = 540;
constexpr int kTitleGapTwips = 120;

const QColor kNavy{0, 0, 128};
const QColor kYellow{255, 255, 0};
const QColor kLinkBlue{0, 0, 192};

// The window manager's frame around the program's windows, as one on screen has it; none
// while no window of the program is framed.
QMargins frameOfShownWindows() {
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        const QWindow* handle = window->windowHandle();
        if (window->isVisible() && handle != nullptr && !handle->frameMargins().isNull()) {
            return handle->frameMargins();
        }
    }
    return {};
}

QGroupBox* addNavyFrame(QWidget& parent, const QString& caption, const QRect& geometry) {
    auto* frame = new QGroupBox(caption, &parent);
    frame->setGeometry(geometry);
    frame->setFont(widgets::look::verdana(9.75, {.bold = true}));
    widgets::look::setColours(*frame, kNavy, widgets::look::kWhite);
    frame->setAutoFillBackground(true);
    return frame;
}

QLineEdit* addTextBox(QWidget& frame, const QString& text, const QRect& geometry) {
    auto* box = new QLineEdit(text, &frame);
    box->setGeometry(geometry);
    box->setFont(widgets::look::designDefaultFont());
    // No label stands beside the box; its caption is the placeholder it starts with.
    box->setAccessibleName(text);
    return box;
}

QPushButton* addButton(QWidget& parent, const QString& caption, const QRect& geometry, const QFont& font) {
    auto* button = new QPushButton(caption, &parent);
    button->setGeometry(geometry);
    button->setFont(font);
    button->setAutoDefault(false);
    return button;
}

} // namespace

frmNagScreen2::frmNagScreen2(Forms& forms) : Form(forms) {
    // A close box, but no minimise or maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(twipsSize(kClientWidth, kClientHeight));
    widgets::look::applyDesignedColours(*this, widgets::look::kWhite);
    // The design's default font, not the desktop's: the fixed-size fields and buttons are made
    // for it, and the controls set in other fonts set them themselves.
    setFont(widgets::look::designDefaultFont());

    // In the order the controls were designed, so that they stack the same way.
    createPromotionFrame();
    createReferralFrame();
    createTitleAndLinks();
    setTabOrderByIndex();

    centreOnScreen(frameOfShownWindows());
}

void frmNagScreen2::centreOnScreen(const QMargins& frame) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // A window's position is that of its outer frame.
    move(centredPlace(size().grownBy(frame), screen->availableGeometry()));
    m_centredForFrame = frame;
}

void frmNagScreen2::moveEvent(QMoveEvent* event) {
    Form::moveEvent(event);
    // Placed before the window manager's frame was known (no window of the program was framed
    // yet): once the frame is there, it is the frame that gets centred.
    const QWindow* handle = windowHandle();
    if (m_frameSeen || !isVisible() || handle == nullptr || handle->frameMargins().isNull()) {
        return;
    }
    m_frameSeen = true;
    if (handle->frameMargins() != m_centredForFrame) {
        centreOnScreen(handle->frameMargins());
    }
}

void frmNagScreen2::showEvent(QShowEvent* event) {
    Form::showEvent(event);
    setAccessibleDescription(spokenDescription());
    m_describedWhileActive = false;
    cmdClose->setFocus();
}

QString frmNagScreen2::spokenDescription() const {
    return Label2->text() + QLatin1Char('\n') + captions::kPromotion.simplified();
}

void frmNagScreen2::changeEvent(QEvent* event) {
    Form::changeEvent(event);
    if (event->type() != QEvent::ActivationChange) {
        return;
    }
    // Screen readers say a window's description each time it becomes active: after one of the
    // window's own message boxes it would be said again. Once said, it goes until the next show.
    if (isActiveWindow()) {
        m_describedWhileActive = true;
    } else if (m_describedWhileActive) {
        setAccessibleDescription(QString());
    }
}

void frmNagScreen2::setVisible(bool visible) {
    if (visible) {
        setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
    Form::setVisible(visible);
}

void frmNagScreen2::createPromotionFrame() {
    Frame6 =
        named("Frame6", addNavyFrame(*this, captions::kPromotionFrame, twipsRect(7320, 120, 3735, 4575)));

    lblGoToHome = named("lblGoToHome", new widgets::LinkLabel(captions::kVisitZorvicSoftwaresLink, Frame6));
    lblGoToHome->setFont(widgets::look::verdana(9, {.bold = true, .underline = true}));
    widgets::look::setTextColour(*lblGoToHome, kYellow);
    lblGoToHome->move(twipsRect(75, 4250, 3585, 210).topLeft());
    lblGoToHome->adjustSize(); // sizes itself to its text
    connect(lblGoToHome, &widgets::LinkLabel::clicked, this, [this] { lblGoToHome_Click(); });

    Label3 = named("Label3", addPlainLabel(*Frame6, captions::kPromotion, twipsRect(120, 360, 3495, 3855),
                                           widgets::look::verdana(9), Wrapping::Words));
    widgets::look::setTextColour(*Label3, widgets::look::kWhite);
}

void frmNagScreen2::createReferralFrame() {
    Frame2 = named("Frame2", addNavyFrame(*this, captions::kReferralFrame, twipsRect(120, 3240, 7065, 1455)));

    txtMessage = named("txtMessage", new QPlainTextEdit(Frame2));
    txtMessage->setGeometry(twipsRect(4800, 3600, 1815, 495));
    txtMessage->setFont(widgets::look::designDefaultFont());
    txtMessage->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A text box, even a multi-line one, passes Tab on to the next control.
    txtMessage->setTabChangesFocus(true);
    txtMessage->setAccessibleName(web::kMessagePlaceholder);
    m_messageField = new widgets::PlaceholderField(*txtMessage, web::kMessagePlaceholder);
    m_messageField->setText(web::kMessageInitialText);
    // The box lies below the visible part of its frame, where no one can see what is typed into
    // it. Hidden, it is out of the Tab order and out of what assistive technology finds, while a
    // referral still sends its initial text.
    txtMessage->hide();

    txtFriendName = named("txtFriendName",
                          addTextBox(*Frame2, web::kFriendNamePlaceholder, twipsRect(85, 720, 3375, 285)));
    new widgets::PlaceholderField(*txtFriendName, web::kFriendNamePlaceholder, widgets::SpaceKey::Accepted);
    txtFriendEmail = named(
        "txtFriendEmail", addTextBox(*Frame2, web::kFriendEmailPlaceholder, twipsRect(3600, 720, 3375, 285)));
    makeEmailBox(*txtFriendEmail, web::kFriendEmailPlaceholder);
    txtEmail =
        named("txtEmail", addTextBox(*Frame2, web::kEmailPlaceholder, twipsRect(3600, 360, 3375, 285)));
    makeEmailBox(*txtEmail, web::kEmailPlaceholder);

    cmdSubmit =
        named("cmdSubmit", addButton(*Frame2, captions::kReferButton, twipsRect(1920, 1080, 3375, 285),
                                     widgets::look::verdana(8.25, {.bold = true})));
    connect(cmdSubmit, &QPushButton::clicked, this, [this] { cmdSubmit_Click(); });

    txtName = named("txtName", addTextBox(*Frame2, web::kNamePlaceholder, twipsRect(85, 360, 3375, 285)));
    new widgets::PlaceholderField(*txtName, web::kNamePlaceholder, widgets::SpaceKey::Accepted);
}

void frmNagScreen2::makeEmailBox(QLineEdit& box, const QString& placeholder) {
    const auto* field = new widgets::PlaceholderField(box, placeholder, widgets::SpaceKey::Refused);
    // The box's KeyPress: a typed space is dropped, and the user is told why.
    connect(field, &widgets::PlaceholderField::spaceRefused, this, [this] {
        static_cast<void>(
            platform().messageBox.show(platform::CriticalMessage(web::kEmailCannotContainSpace)));
    });
}

void frmNagScreen2::createTitleAndLinks() {
    cmdClose = named("cmdClose", addButton(*this, captions::kExit, twipsRect(6000, 2760, 1245, 375),
                                           widgets::look::designDefaultFont()));
    connect(cmdClose, &QPushButton::clicked, this, [this] { cmdClose_Click(); });

    Check1 = named("Check1", new QCheckBox(captions::kVisitVelmoraCheck, this));
    Check1->setGeometry(twipsRect(30, 2040, 7185, 555));
    Check1->setFont(widgets::look::verdana(14.25));
    widgets::look::setTextColour(*Check1, kLinkBlue);
    widgets::look::markAsLink(*Check1);
    Check1->setCursor(Qt::PointingHandCursor);
    // It opens a page and never stays checked, which its state alone would not tell.
    Check1->setAccessibleDescription(captions::kVisitVelmoraCheckDescription);
    widgets::openOncePerDoubleClick(*Check1);
    // Also raised when the handler itself sets the box back, as the link rule expects.
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });

    picNagscreen2Icon = named("picNagscreen2Icon", new QLabel(this));
    picNagscreen2Icon->setGeometry(twipsRect(360, 120, kIconTwips, kIconTwips));
    picNagscreen2Icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblNagScreen2Caption =
        named("lblNagScreen2Caption",
              addPlainLabel(*this, captions::kExitScreenDesignedCaption, twipsRect(1080, 240, 720, 435),
                            widgets::look::msSansSerif(18), Wrapping::None));
    lblNagScreen2Caption->adjustSize();

    // Replaced at load by the message drawn then.
    Label2 = named("Label2", addPlainLabel(*this, web::kSupportMessages[1], twipsRect(120, 840, 6975, 1095),
                                           widgets::look::verdana(9.75, {.bold = true}), Wrapping::Words));
}

void frmNagScreen2::setTabOrderByIndex() {
    // The controls that take the focus, by their tab index; cmdClose comes first and holds
    // the focus when the window opens.
    const std::array<QWidget*, 9> byIndex = {cmdClose,       Check1,        txtName,    cmdSubmit,  txtEmail,
                                             txtFriendEmail, txtFriendName, txtMessage, lblGoToHome};
    for (std::size_t i = 1; i < byIndex.size(); ++i) {
        setTabOrder(byIndex[i - 1], byIndex[i]);
    }
    cmdClose->setFocus();
}

void frmNagScreen2::fitTitle() {
    // The title sizes itself to its text. Where the designed face is missing, the one that
    // stands in may be wider: the title then gets smaller until it ends before the promotion
    // frame instead of running under it.
    constexpr qreal kSmallestPoints = 8;
    const int room = Frame6->x() - lblNagScreen2Caption->x() - twipsToPixels(kTitleGapTwips);
    QFont font = lblNagScreen2Caption->font();
    lblNagScreen2Caption->adjustSize();
    while (lblNagScreen2Caption->width() > room && font.pointSizeF() > kSmallestPoints) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        lblNagScreen2Caption->setFont(font);
        lblNagScreen2Caption->adjustSize();
    }
}

QString frmNagScreen2::messageText() const {
    return m_messageField->text();
}

void frmNagScreen2::Form_Load() {
    setWindowTitle(captions::kRunTimeCaption);
    lblNagScreen2Caption->setText(captions::kRunTimeCaption);
    fitTitle();
    // The icon every window has, the one the start-up form keeps as its image 1.
    const QIcon icon = widgets::applicationIcon();
    setWindowIcon(icon);
    picNagscreen2Icon->setPixmap(icon.pixmap(32, 32));

    // Seeded again at every load, so the message varies from run to run.
    platform::RandomSource& random = platform().random;
    random.seedFromTimer();
    Label2->setText(web::supportMessageFor(random.next()));
    // Read out when the window appears, as the text of a dialog is; without it a screen reader
    // says only the title and the focused button.
    setAccessibleDescription(spokenDescription());

    // Above every other window, shown, and without taking the focus from anyone.
    platform().topmost.showTopmostWithoutActivating(*this);
}

void frmNagScreen2::Form_Unload() {
    EndProgram(forms());
}

void frmNagScreen2::cmdClose_Click() {
    // The program ends here; nothing of this window may be touched after it.
    EndProgram(forms());
}

void frmNagScreen2::cmdSubmit_Click() {
    // The fields and the window stay as they are, whatever the outcome.
    static_cast<void>(modTellAFriend::submitClicked(
        m_tellAFriend, txtName->text(), txtEmail->text(), messageText(), txtFriendName->text(),
        txtFriendEmail->text(), platform().messageBox, platform().urlOpener));
}

void frmNagScreen2::Check1_Click() {
    // The box never stays checked: setting it back raises this handler once more, and that
    // second run finds it unchecked and does nothing.
    if (!Check1->isChecked()) {
        return;
    }
    Check1->setChecked(false);
    modHelp::OpenHomePage(platform().urlOpener);
}

void frmNagScreen2::lblGoToHome_Click() {
    modHelp::OpenSoftwareDownloadsPage(platform().urlOpener);
}

} // namespace ssn::forms
