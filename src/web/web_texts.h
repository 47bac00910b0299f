#pragma once

// Every text that the web layer gives to the user: the update question, the refer-a-friend
// panel's placeholders and refusals, and the support messages.

#include <QString>
#include <array>

namespace ssn::web {

// The two sentences are parted by a lone carriage return, which the message box shows as a
// line break.
inline const QString kUpdateQuestion = QStringLiteral("There maybe an update to this software available\r"
                                                      "Do you want to check for an update?");

// The refer-a-friend panel's placeholders: the captions its boxes show while empty.
inline const QString kNamePlaceholder = QStringLiteral("Your Name");
inline const QString kEmailPlaceholder = QStringLiteral("Your Email Address");
inline const QString kFriendNamePlaceholder = QStringLiteral("Friend's Name");
inline const QString kFriendEmailPlaceholder = QStringLiteral("Friend's Email Address");
inline const QString kMessagePlaceholder = QStringLiteral("Your Message");

// The message box starts with its placeholder and a line break, so that untouched text is
// not the bare placeholder and is sent as it stands.
inline const QString kMessageInitialText = QStringLiteral("Your Message\r\n");

// Shown when a blank is typed into one of the two e-mail boxes.
inline const QString kEmailCannotContainSpace = QStringLiteral("Email Address Cannot Contain Space");

// The refer-a-friend panel's refusals.
inline const QString kMsgDistinctEmailAddresses = QStringLiteral("Please Enter Distinct Email Addresses");
inline const QString kMsgProperEmailAddress = QStringLiteral("Please Enter Proper Email Address");
inline const QString kMsgEnterYourName = QStringLiteral("Please Enter Your Name");
inline const QString kMsgEnterYourEmail = QStringLiteral("Please Enter Your Email");
inline const QString kMsgEnterYourMessage = QStringLiteral("Please Enter Your Message");
inline const QString kMsgEnterFriendsName = QStringLiteral("Please Enter Your Friend's Name");
inline const QString kMsgEnterFriendsEmail = QStringLiteral("Please Enter Your Friend's Email");

// The support messages, drawn by index 0 to 3.
inline const std::array<QString, 4> kSupportMessages = {
    QStringLiteral("Zorvic Softwares, such as this can be created and maintained only with your support. The "
                   "best way to support Velmora is to visit Velmora regularly and take part in the "
                   "discussions and other activities on the board."),
    QStringLiteral(
        "Visit Velmora regularly. Support Velmora by taking part in the discussions and other activities. "
        "These softwares cannot be supported and maintained, without you regularly visiting Velmora"),
    QStringLiteral("Velmora is a FREE online discussion forum for all things zorvic. To help Velmora develop "
                   "and maintain this software visit Velmora regularly."),
    QStringLiteral(
        "Velmora needs your help. All you need to do is visit Velmora regularly and take part in the various "
        "discussions and activites to help us maintain and develop more Zorvic Softwares."),
};

} // namespace ssn::web
