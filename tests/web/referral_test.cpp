#include "doubles/platform_doubles.h"
#include "web/mod_tell_a_friend.h"

#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

using namespace ssn::web::modTellAFriend;
using ssn::testing::FakeMessageBox;
using ssn::testing::RecordingUrlOpener;

const QString kPageUrl = QStringLiteral(
    "https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=vlzs-refer-a-friend");

// The five field texts in the window's order: name, e-mail, message, friend's name, friend's e-mail.
struct Fields {
    QString name = QStringLiteral("John");
    QString email = QStringLiteral("john@example.com");
    QString message = QStringLiteral("Hello");
    QString friendName = QStringLiteral("Mary");
    QString friendEmail = QStringLiteral("mary@example.org");
};

struct Submission {
    TellAFriendStrings strings;
    FakeMessageBox messageBox;
    RecordingUrlOpener opener;
    SubmitOutcome submit(const Fields& f) {
        return submitClicked(strings, f.name, f.email, f.message, f.friendName, f.friendEmail, messageBox,
                             opener);
    }
};

TEST(ReferralUrl, PlainValues) {
    Submission s;
    EXPECT_EQ(s.submit(Fields{}), SubmitOutcome::Opened);
    const QString expected =
        kPageUrl + QStringLiteral("&taf1=John&taf2=john%40example.com&taf3=Hello&taf4=Mary"
                                  "&taf5=mary%40example.org"
                                  "&taf6=https%3A%2F%2Fvelmora.example%2Fvl-free-subconscious-"
                                  "self-number%2F");
    EXPECT_EQ(s.strings.strTafUrl, expected);
    EXPECT_EQ(s.opener.urls, std::vector<QString>{expected});
    EXPECT_TRUE(s.messageBox.shown.empty());
}

// Only the unreserved characters stand bare, so no server can read a value as more than text.
const std::pair<const char16_t*, const char*> kEncodings[] = {
    {u"a b&c=d#e?f\r\ng+h%i/j~k-l.m_n\u00e9\u0416",
     "a%20b%26c%3Dd%23e%3Ff%0D%0Ag%2Bh%25i%2Fj~k-l.m_n%C3%A9%D0%96"},
    {u"O'Brien; (Jr.)! $5, *", "O%27Brien%3B%20%28Jr.%29%21%20%245%2C%20%2A"},
};

TEST(ReferralUrl, EncodesReservedCharactersInUpperCaseHex) {
    for (const auto& [value, encoded] : kEncodings) {
        TellAFriendStrings strings;
        strings.strTafName = QString::fromUtf16(value);
        const QString url = buildReferralUrl(strings);
        EXPECT_TRUE(
            url.contains(QStringLiteral("&taf1=") + QLatin1String(encoded) + QStringLiteral("&taf2=")))
            << url.toStdString();
    }
}

struct HostileCase {
    const char* name;
    Fields fields;
};

Fields WithName(const char16_t* name) {
    Fields f;
    f.name = QString::fromUtf16(name);
    return f;
}

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}

const HostileCase kHostile[] = {
    {"ExtraParameter", WithName(u"x&taf2=evil@example.com")},
    {"NonAscii", WithName(u"J\u00fcrgen \u0416\u0435\u043d\u044f \u5f20\u4f1f \U0001F600")},
    {"MessageWithLineBreaks", Fields{QStringLiteral("John"), QStringLiteral("j.o@x.y"),
                                     QStringLiteral("Line one\r\nLine two & three\r\n"),
                                     QStringLiteral("Mary"), QStringLiteral("m@x.y")}},
    {"AddressWithInnerSpaceAndAmpersand",
     Fields{QStringLiteral("John"), QStringLiteral("a b&c@x.y"), QStringLiteral("Hi"), QStringLiteral("Mary"),
            QStringLiteral("m=1@x.y")}},
};

class HostileValueTest : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileValueTest, EveryValueDecodesBackExactlyInItsOwnParameter) {
    Submission s;
    ASSERT_EQ(s.submit(GetParam().fields), SubmitOutcome::Opened);
    ASSERT_EQ(s.opener.urls.size(), 1u);
    const QUrl url(s.opener.urls[0], QUrl::StrictMode);
    ASSERT_TRUE(url.isValid()) << url.errorString().toStdString();
    EXPECT_FALSE(url.hasFragment());
    EXPECT_TRUE(s.opener.urls[0].startsWith(kPageUrl + QStringLiteral("&taf1=")));

    const QUrlQuery query(url);
    QStringList keys;
    for (const auto& item : query.queryItems()) {
        keys << item.first;
    }
    EXPECT_EQ(keys, (QStringList{"page", "taf1", "taf2", "taf3", "taf4", "taf5", "taf6"}));
    const Fields& f = GetParam().fields;
    const auto value = [&](const char* key) {
        return query.queryItemValue(QString::fromLatin1(key), QUrl::FullyDecoded);
    };
    EXPECT_EQ(value("page"), QStringLiteral("vlzs-refer-a-friend"));
    EXPECT_EQ(value("taf1"), f.name);
    EXPECT_EQ(value("taf2"), f.email);
    EXPECT_EQ(value("taf3"), f.message);
    EXPECT_EQ(value("taf4"), f.friendName);
    EXPECT_EQ(value("taf5"), f.friendEmail);
    EXPECT_EQ(value("taf6"), QStringLiteral("https://velmora.example/vl-free-subconscious-self-number/"));
}

INSTANTIATE_TEST_SUITE_P(Referral, HostileValueTest, ::testing::ValuesIn(kHostile),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

struct CheckCase {
    const char* name;
    Fields fields;
    const char* message; // nullptr: the referral is opened
};

Fields With(QString Fields::*field, const char16_t* text) {
    Fields f;
    f.*field = QString::fromUtf16(text);
    return f;
}

Fields WithEmails(const char16_t* email, const char16_t* friendEmail) {
    Fields f;
    f.email = QString::fromUtf16(email);
    f.friendEmail = QString::fromUtf16(friendEmail);
    return f;
}

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.name;
}

const CheckCase kChecks[] = {
    // The address checks come first.
    {"UntouchedAddresses", WithEmails(u"Your Email Address", u"Friend's Email Address"),
     "Please Enter Proper Email Address"},
    {"SameAddressWithOuterBlanks", WithEmails(u"  a@b.c", u"a@b.c   "),
     "Please Enter Distinct Email Addresses"},
    {"BothEmpty", WithEmails(u"", u"  "), "Please Enter Distinct Email Addresses"},
    {"NoAtInOwn", WithEmails(u"a.b.c", u"m@x.y"), "Please Enter Proper Email Address"},
    {"NoAtInFriends", WithEmails(u"a@b.c", u"mx.y"), "Please Enter Proper Email Address"},
    {"NoDotInOwn", WithEmails(u"a@bc", u"m@x.y"), "Please Enter Proper Email Address"},
    {"NoDotInFriends", WithEmails(u"a@b.c", u"m@xy"), "Please Enter Proper Email Address"},
    {"AtAndDotAlonePass", WithEmails(u"@.", u"m@x.y"), nullptr},
    {"DotBeforeAtPasses", WithEmails(u"a.b@c", u"m@x.y"), nullptr},
    {"CaseDifferentAddressesPass", WithEmails(u"A@b.c", u"a@b.c"), nullptr},
    {"InnerSpacePasses", WithEmails(u"a b@c.d", u"m@x.y"), nullptr},
    {"BadAddressBeforeUntouchedName",
     Fields{QStringLiteral("Your Name"), QStringLiteral("a@b"), QStringLiteral("Hi"), QStringLiteral("Mary"),
            QStringLiteral("m@x.y")},
     "Please Enter Proper Email Address"},
    // Then the fields, in order.
    {"UntouchedName", With(&Fields::name, u"Your Name"), "Please Enter Your Name"},
    {"NameOnlyBlanks", With(&Fields::name, u"   "), "Please Enter Your Name"},
    {"NamePlaceholderWithBlanks", With(&Fields::name, u"  Your Name "), "Please Enter Your Name"},
    {"NameInOtherCasePasses", With(&Fields::name, u"your name"), nullptr},
    {"NameWithTabIsFilled", With(&Fields::name, u"\t"), nullptr},
    {"NameBeforeEverythingElse",
     Fields{QStringLiteral(""), QStringLiteral("a@b.c"), QStringLiteral("Your Message"), QStringLiteral(""),
            QStringLiteral("m@x.y")},
     "Please Enter Your Name"},
    {"MessagePlaceholder", With(&Fields::message, u"Your Message"), "Please Enter Your Message"},
    {"MessageEmpty", With(&Fields::message, u""), "Please Enter Your Message"},
    {"UntouchedMessageWithLineBreakPasses", With(&Fields::message, u"Your Message\r\n"), nullptr},
    {"MessageBeforeFriendName",
     Fields{QStringLiteral("John"), QStringLiteral("a@b.c"), QStringLiteral(" Your Message "),
            QStringLiteral("Friend's Name"), QStringLiteral("m@x.y")},
     "Please Enter Your Message"},
    {"UntouchedFriendName", With(&Fields::friendName, u"Friend's Name"), "Please Enter Your Friend's Name"},
    {"EmptyFriendName", With(&Fields::friendName, u""), "Please Enter Your Friend's Name"},
};

class SubmitCheckTest : public ::testing::TestWithParam<CheckCase> {};

TEST_P(SubmitCheckTest, ShowsTheFirstFailureAndOpensNothing) {
    const CheckCase& c = GetParam();
    Submission s;
    s.strings.strTafUrl = QStringLiteral("previous");
    const SubmitOutcome outcome = s.submit(c.fields);
    if (c.message == nullptr) {
        EXPECT_EQ(outcome, SubmitOutcome::Opened);
        EXPECT_TRUE(s.messageBox.shown.empty());
        EXPECT_EQ(s.opener.urls.size(), 1u);
        return;
    }
    EXPECT_NE(outcome, SubmitOutcome::Opened);
    ASSERT_EQ(s.messageBox.shown.size(), 1u);
    const auto& shown = s.messageBox.shown[0];
    EXPECT_EQ(shown.text, QString::fromUtf8(c.message));
    EXPECT_EQ(shown.icon, ssn::platform::MessageIcon::Critical);
    EXPECT_EQ(shown.buttons, ssn::platform::MessageButtons::Ok);
    EXPECT_EQ(shown.caption, QStringLiteral("VL Subconscious Self Number"));
    EXPECT_TRUE(s.opener.urls.empty());
    EXPECT_EQ(s.strings.strTafUrl, QStringLiteral("previous"));
}

INSTANTIATE_TEST_SUITE_P(Referral, SubmitCheckTest, ::testing::ValuesIn(kChecks),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

// Blanks (code 32) only are trimmed: a tab, a line break or a no-break space stays.
TEST(Submit, FieldsKeepTheirTrimmedValuesAfterARefusal) {
    Submission s;
    const Fields f{QStringLiteral("  Your Name "), QStringLiteral(" a@b.c"), QStringLiteral("\tHi\r\n  "),
                   QStringLiteral(" \u00a0Mary"), QStringLiteral("m@x.y ")};
    EXPECT_EQ(s.submit(f), SubmitOutcome::FieldRefused);
    EXPECT_EQ(s.strings.strTafName, QStringLiteral("Your Name"));
    EXPECT_EQ(s.strings.strTafEmail, QStringLiteral("a@b.c"));
    EXPECT_EQ(s.strings.strTafMessage, QStringLiteral("\tHi\r\n"));
    EXPECT_EQ(s.strings.strTafFriendName, QStringLiteral("\u00a0Mary"));
    EXPECT_EQ(s.strings.strTafFriendEmail, QStringLiteral("m@x.y"));
}

// The e-mail field messages cannot come through the button, whose address checks run
// first, but SubmitReferral checks them on its own.
TEST(SubmitReferral, ChecksTheAddressFieldsAgainstTheirPlaceholders) {
    struct Case {
        QString email, friendEmail;
        const char* message;
    };
    const Case cases[] = {
        {QStringLiteral("Your Email Address"), QStringLiteral("m@x.y"), "Please Enter Your Email"},
        {QStringLiteral(""), QStringLiteral("m@x.y"), "Please Enter Your Email"},
        {QStringLiteral("a@b.c"), QStringLiteral("Friend's Email Address"),
         "Please Enter Your Friend's Email"},
    };
    for (const Case& c : cases) {
        Submission s;
        s.strings = {QStringLiteral("John"), c.email,       QStringLiteral("Hi"),
                     QStringLiteral("Mary"), c.friendEmail, {}};
        EXPECT_EQ(SubmitReferral(s.strings, s.messageBox, s.opener), SubmitOutcome::FieldRefused);
        ASSERT_EQ(s.messageBox.shown.size(), 1u);
        EXPECT_EQ(s.messageBox.shown[0].text, QString::fromUtf8(c.message));
        EXPECT_TRUE(s.opener.urls.empty());
        EXPECT_TRUE(s.strings.strTafUrl.isEmpty());
    }
}

} // namespace
