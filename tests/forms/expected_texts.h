#pragma once

// Literal copies of the design's texts that more than one test needs, kept apart from the
// program's own constants so that a typo in either is caught. What each window shows is held by
// the table of window_texts_test.cpp.

#include <QString>
#include <array>

namespace ssn::forms::test::expected {

inline const QString kDesignedCaption = QStringLiteral("VL Subconscious Self Number  v1.90");
inline const QString kMessageCaption = QStringLiteral("VL Subconscious Self Number");
// The start-up form and the exit screen set their caption at run time, with one blank.
inline const QString kRunTimeCaption = QStringLiteral("VL Subconscious Self Number v1.90");

// The exit screen's promotion as designed: 615 characters, the typographic apostrophe in "world’s", a
// run of 61 blanks between the paragraphs and one blank at the end.
inline const QString kPromotion = QStringLiteral(
    "If you have enjoyed this software you will surely be interested in our other Zorvic Softwares. From a "
    "single software, we have now grown to become the world\u2019s largest resource of zorvic softwares. Be "
    "it astrology, psychic, tarot, numerology or occult, we have programs in all fields thus giving our "
    "users "
    "a wide choice depending on their interests."
    "                                                             "
    "All the programs in the Zorvic Softwares suite are simple and easy to use. They are not only fun to use "
    "but also very informative. Try them out today and share your experience with your friends and family. ");

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

} // namespace ssn::forms::test::expected
