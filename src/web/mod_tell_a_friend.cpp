#include "web/mod_tell_a_friend.h"

#include "web/page_urls.h"
#include "web/percent_encoding.h"
#include "web/placeholder_rules.h"

#include <array>

namespace ssn::web::modTellAFriend {

namespace {

// Every refusal of the panel: the critical icon, one OK button, the program's own caption.
void ShowRefusal(platform::MessageBoxService& messageBox, const QString& text) {
    static_cast<void>(messageBox.show(platform::CriticalMessage(text)));
}

struct FieldCheck {
    const QString TellAFriendStrings::*value;
    const QString& placeholder;
    const QString& refusal;
};

} // namespace

void ReadFields(TellAFriendStrings& strings, const QString& name, const QString& email,
                const QString& message, const QString& friendName, const QString& friendEmail) {
    strings.strTafName = TrimBlanks(name);
    strings.strTafEmail = TrimBlanks(email);
    strings.strTafMessage = TrimBlanks(message);
    strings.strTafFriendName = TrimBlanks(friendName);
    strings.strTafFriendEmail = TrimBlanks(friendEmail);
}

QString AddressProblem(const QString& email, const QString& friendEmail) {
    if (email == friendEmail) {
        return kMsgDistinctEmailAddresses;
    }
    // An address is taken as proper when it holds an "@" and a "." anywhere, in either order.
    if (!email.contains(u'@') || !friendEmail.contains(u'@')) {
        return kMsgProperEmailAddress;
    }
    if (!email.contains(u'.') || !friendEmail.contains(u'.')) {
        return kMsgProperEmailAddress;
    }
    return {};
}

bool CheckAddresses(const TellAFriendStrings& strings, platform::MessageBoxService& messageBox) {
    const QString problem = AddressProblem(strings.strTafEmail, strings.strTafFriendEmail);
    if (problem.isEmpty()) {
        return true;
    }
    ShowRefusal(messageBox, problem);
    return false;
}

QString BuildReferralUrl(const TellAFriendStrings& strings) {
    return kReferAFriendPageUrl + QStringLiteral("&taf1=") + PercentEncodeQueryValue(strings.strTafName) +
           QStringLiteral("&taf2=") + PercentEncodeQueryValue(strings.strTafEmail) +
           QStringLiteral("&taf3=") + PercentEncodeQueryValue(strings.strTafMessage) +
           QStringLiteral("&taf4=") + PercentEncodeQueryValue(strings.strTafFriendName) +
           QStringLiteral("&taf5=") + PercentEncodeQueryValue(strings.strTafFriendEmail) +
           QStringLiteral("&taf6=") + PercentEncodeQueryValue(kProductFolderUrl);
}

SubmitOutcome SubmitReferral(TellAFriendStrings& strings, platform::MessageBoxService& messageBox,
                             platform::UrlOpener& opener) {
    const std::array<FieldCheck, 5> checks{{
        {&TellAFriendStrings::strTafName, kNamePlaceholder, kMsgEnterYourName},
        {&TellAFriendStrings::strTafEmail, kEmailPlaceholder, kMsgEnterYourEmail},
        {&TellAFriendStrings::strTafMessage, kMessagePlaceholder, kMsgEnterYourMessage},
        {&TellAFriendStrings::strTafFriendName, kFriendNamePlaceholder, kMsgEnterFriendsName},
        {&TellAFriendStrings::strTafFriendEmail, kFriendEmailPlaceholder, kMsgEnterFriendsEmail},
    }};
    for (const FieldCheck& check : checks) {
        if (IsUntouched(strings.*check.value, check.placeholder)) {
            ShowRefusal(messageBox, check.refusal);
            return SubmitOutcome::FieldRefused;
        }
    }
    strings.strTafUrl = BuildReferralUrl(strings);
    OpenReferralUrl(strings, opener);
    return SubmitOutcome::Opened;
}

void OpenReferralUrl(const TellAFriendStrings& strings, platform::UrlOpener& opener) {
    static_cast<void>(opener.open(strings.strTafUrl));
}

SubmitOutcome SubmitClicked(TellAFriendStrings& strings, const QString& name, const QString& email,
                            const QString& message, const QString& friendName, const QString& friendEmail,
                            platform::MessageBoxService& messageBox, platform::UrlOpener& opener) {
    ReadFields(strings, name, email, message, friendName, friendEmail);
    if (!CheckAddresses(strings, messageBox)) {
        return SubmitOutcome::AddressRefused;
    }
    return SubmitReferral(strings, messageBox, opener);
}

} // namespace ssn::web::modTellAFriend
