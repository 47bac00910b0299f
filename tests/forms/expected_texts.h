#pragma once

// Literal copies of the texts the windows must show, kept apart from the program's own
// constants so that a typo in either is caught.

#include <QString>
#include <array>

namespace ssn::forms::test::expected {

inline const QString kWindowCaption = QStringLiteral("VL Subconscious Self Number  v1.90");
inline const QString kMessageCaption = QStringLiteral("VL Subconscious Self Number");
// The start-up form and the exit screen set their caption at run time, with one blank.
inline const QString kRunTimeCaption = QStringLiteral("VL Subconscious Self Number v1.90");

// The support messages that the start-up form and the exit screen choose from.
inline const std::array<QString, 4> kSupportMessages = {
    QStringLiteral("Zorvic Softwares, such as this can be created and maintained only with your support. The "
                   "best way to support Velmora is to visit Velmora regularly and take part in the "
                   "discussions and other activities on the board."),
    QStringLiteral("Visit Velmora regularly. Support Velmora by taking part in the discussions and other "
                   "activities. These softwares cannot be supported and maintained, without you regularly "
                   "visiting Velmora"),
    QStringLiteral("Velmora is a FREE online discussion forum for all things zorvic. To help Velmora develop "
                   "and maintain this software visit Velmora regularly."),
    QStringLiteral("Velmora needs your help. All you need to do is visit Velmora regularly and take part in "
                   "the various discussions and activites to help us maintain and develop more Zorvic "
                   "Softwares."),
};

inline const QString kSponsorLine = QStringLiteral("The Most Popular Online Zorvic Discussion Board. Best "
                                                   "Resource For Everything Zorvic. Visit Velmora Now");
inline const QString kCoBrandOnScreen =
    QStringLiteral("Co-brand this software for your site.  Increase loyalty and traffic to your site. Put "
                   "your site's name &  "
                   "link here. See \"Help\" for details.    Click Here for more info on co-branding.");
inline const QString kFullBrandOffer =
    QStringLiteral("Home Business Opportunity. Start your own Internet business and make money online. Get "
                   "this software fully "
                   "branded for your website. Click here for more details.");

inline const QString kHomePage =
    QStringLiteral("https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=home-page");
inline const QString kHelpPage =
    QStringLiteral("https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=help-web-page");
inline const QString kDownloadPage =
    QStringLiteral("https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=download-web-page");
inline const QString kDonatePage =
    QStringLiteral("https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=donate");
inline const QString kCoBrandPage =
    QStringLiteral("https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=co-brand");
inline const QString kFullyBrandedPage =
    QStringLiteral("https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=fully-branded");

inline const QString kExplanation = QStringLiteral(
    "This number shows how you deal and respond in sudden situations. The Subconscious Self reflects the "
    "confidence you have in your personal power and competence, as well as the part of your nature that "
    "needs "
    "to be strengthened.");

// The report as the box shows it: line feeds only.
inline QString reportOnScreen(int number, const QString& interpretation) {
    return QStringLiteral("Your Subconscious Self Number is: ") + QString::number(number) +
           QStringLiteral("\n\n") + kExplanation + QStringLiteral("\n\n") + interpretation +
           QStringLiteral("\n\n\n\n");
}

inline const QString kInterpretation7 =
    QStringLiteral("You are well-balanced person. You are quite capable of handling life's challenges. In "
                   "times of trouble you "
                   "retreat within yourself. People may find you to be indifferent and aloof. Your "
                   "analytical mind will find "
                   "an answer for all problems.");
inline const QString kInterpretation9 = QStringLiteral(
    "It's difficult for anyone to understand you. You are indifferent and very impersonal. In the face of "
    "trouble, you are often competent and controlled but may suffer from arrogance and exaggerated "
    "confidence "
    "failing to recognize your weaknesses. You need to control your anger.");
inline const QString kNotValid = QStringLiteral("This number is not valid for this name.");

} // namespace ssn::forms::test::expected
