#pragma once

// Every text the windows show: captions, menus, labels, buttons, the names that screen
// readers announce, and the second-copy notice.

#include <QString>
#include <array>

namespace ssn::forms::captions {

// The caption the main window, the result window and the About box were designed with.
inline const QString kDesignedWindowCaption = QStringLiteral("VL Subconscious Self Number  v1.90");

// The caption the start-up form and the exit screen set at run time, with one blank.
inline const QString kRunTimeCaption = QStringLiteral("VL Subconscious Self Number v1.90");

inline const QString kSponsorLine = QStringLiteral("The Most Popular Online Zorvic Discussion Board. Best "
                                                   "Resource For Everything Zorvic. Visit Velmora Now");

// A label shows its caption as it stands: one "&" here is the one "&" on screen.
inline const QString kCoBrandOffer = QStringLiteral(
    "Co-brand this software for your site.  Increase loyalty and traffic to your site. Put your "
    "site's name &  link here. See \"Help\" for details.    Click Here for more info on co-branding.");

inline const QString kFullBrandOffer = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. Get this "
    "software fully branded for your website. Click here for more details.");

// The main window.
inline const QString kMenuFile = QStringLiteral("&File");
inline const QString kMenuHelp = QStringLiteral("&Help");
inline const QString kMenuOnlineHelp = QStringLiteral("&Online Help");
inline const QString kMenuVisitUsOnline = QStringLiteral("&Visit Us Online");
inline const QString kMenuCheckForUpdate = QStringLiteral("&Check for Software Update");
inline const QString kMenuAboutSoftware = QStringLiteral("&About Software");
inline const QString kMenuDonate = QStringLiteral("&Donate");
inline const QString kMenuMakeMoneyOnline = QStringLiteral("Make Money &Online");
inline const QString kNameFrame = QStringLiteral("Please Fill In The Below Details:");
inline const QString kFirstName = QStringLiteral("First Name");
inline const QString kMiddleName = QStringLiteral("Middle Name");
inline const QString kLastName = QStringLiteral("Last Name");
inline const QString kBirthDayFrame = QStringLiteral("Date Of Birth");
inline const QString kBirthMonthName = QStringLiteral("Birth month");
inline const QString kBirthDayName = QStringLiteral("Birth day");
inline const QString kBirthYearName = QStringLiteral("Birth year");
inline const QString kNext = QStringLiteral("&Next"); // the button and the File menu's item
inline const QString kNextName = QStringLiteral("Next");
inline const std::array<QString, 12> kMonthNames = {
    QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
    QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
    QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
    QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};

// The main window's menu item and button, and the exit screen's button.
inline const QString kExit = QStringLiteral("E&xit");
inline const QString kExitName = QStringLiteral("Exit");

// The result window.
inline const QString kReportName = QStringLiteral("Report");
inline const QString kBackButton = QStringLiteral("&Back");
inline const QString kBackName = QStringLiteral("Back");

// The About box.
inline const QString kDescription = QStringLiteral(
    "VL Subconscious Self Number Software gives you an idea about the strengths and weaknesses in your "
    "character. So, by knowing your strengths you get an inner confidence to face hurdles in life and by "
    "knowing your weaknesses you get an opportunity to work on them and rectify them. All rights reserved.");

inline const QString kFullBrandPromotion = QStringLiteral(
    "Home Business Opportunity. Start your own Internet business and make money online. Get this "
    "software fully branded for your website. ");

inline const QString kApplicationIconName = QStringLiteral("Application icon");
inline const QString kVisitVelmoraLink = QStringLiteral("Click here to visit Velmora");
inline const QString kMoreDetailsLink = QStringLiteral("Click here for more details.");
inline const QString kOk = QStringLiteral("OK");

// The start-up form.
inline const QString kDonationLine =
    QStringLiteral("The donation for VL Subconscious Self Number is $3.00. Donate Now.");
inline const QString kAlreadyRunning = QStringLiteral("Application is already running");

// The exit screen. Its caption label shows this until the load sets the run-time caption.
inline const QString kExitScreenDesignedCaption = QStringLiteral("ABC");
inline const QString kPromotionFrame = QStringLiteral("Download Zorvic Softwares");
inline const QString kVisitZorvicSoftwaresLink = QStringLiteral("Click Here To Visit Zorvic Softwares");
inline const QString kReferralFrame = QStringLiteral("Refer A Friend");
inline const QString kReferButton = QStringLiteral("Refer A Friend &Now");
inline const QString kVisitVelmoraCheck = QStringLiteral("Click Here To Visit Velmora Now");
inline const QString kVisitVelmoraCheckDescription =
    QStringLiteral("Opens the Velmora home page in the web browser; the box stays unchecked");

// The run of 61 blanks is wider than the label, so the second paragraph starts a line of its own.
inline const QString kPromotion =
    QStringLiteral("If you have enjoyed this software you will surely be interested in our other "
                   "Zorvic Softwares. From a single software, we have now grown to become the "
                   "world\u2019s largest resource of zorvic softwares. Be it astrology, psychic, "
                   "tarot, numerology or occult, we have programs in all fields thus giving our "
                   "users a wide choice depending on their interests.") +
    QString(61, QLatin1Char(' ')) +
    QStringLiteral("All the programs in the Zorvic Softwares suite are simple and easy to use. They "
                   "are not only fun to use but also very informative. Try them out today and share "
                   "your experience with your friends and family. ");

} // namespace ssn::forms::captions
