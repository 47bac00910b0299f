#include "web/placeholder_rules.h"

#include <gtest/gtest.h>

namespace {

using namespace ssn::web;

TEST(PlaceholderTexts, AreExactlyTheFieldCaptions) {
    EXPECT_EQ(kNamePlaceholder, QStringLiteral("Your Name"));
    EXPECT_EQ(kEmailPlaceholder, QStringLiteral("Your Email Address"));
    EXPECT_EQ(kFriendNamePlaceholder, QStringLiteral("Friend's Name"));
    EXPECT_EQ(kFriendEmailPlaceholder, QStringLiteral("Friend's Email Address"));
    EXPECT_EQ(kMessagePlaceholder, QStringLiteral("Your Message"));
    EXPECT_EQ(kMessageInitialText, QStringLiteral("Your Message\r\n"));
    EXPECT_EQ(kEmailCannotContainSpace, QStringLiteral("Email Address Cannot Contain Space"));
}

struct RuleCase {
    const char16_t* text;
    const char16_t* placeholder;
    const char16_t* afterFocus;
    const char16_t* afterLeaving;
};

const RuleCase kRules[] = {
    {u"Your Name", u"Your Name", u"", u"Your Name"},
    {u"  Your Name", u"Your Name", u"", u"  Your Name"},
    {u"Your Name   ", u"Your Name", u"", u"Your Name   "},
    {u"your name", u"Your Name", u"your name", u"your name"},
    {u"YOUR NAME", u"Your Name", u"YOUR NAME", u"YOUR NAME"},
    {u"\tYour Name", u"Your Name", u"\tYour Name", u"\tYour Name"},
    {u"\u00a0Your Name", u"Your Name", u"\u00a0Your Name", u"\u00a0Your Name"},
    {u" John  ", u"Your Name", u" John  ", u" John  "},
    {u"", u"Friend's Name", u"", u"Friend's Name"},
    {u"    ", u"Friend's Email Address", u"    ", u"Friend's Email Address"},
    {u"\t", u"Your Email Address", u"\t", u"\t"},
    {u"\r\n", u"Your Message", u"\r\n", u"\r\n"},
    {u"Your Message\r\n", u"Your Message", u"Your Message\r\n", u"Your Message\r\n"},
    {u"Your Message", u"Your Message", u"", u"Your Message"},
};

TEST(PlaceholderRules, ClearOnFocusAndRestoreOnLeaving) {
    for (const RuleCase& c : kRules) {
        const QString text = QString::fromUtf16(c.text);
        const QString placeholder = QString::fromUtf16(c.placeholder);
        EXPECT_EQ(ClearPlaceholder(text, placeholder), QString::fromUtf16(c.afterFocus))
            << text.toStdString();
        EXPECT_EQ(RestorePlaceholder(text, placeholder), QString::fromUtf16(c.afterLeaving))
            << text.toStdString();
    }
}

TEST(PlaceholderRules, UntouchedMeansEmptyOrThePlaceholderAfterTrimming) {
    EXPECT_TRUE(IsUntouched(QStringLiteral(""), kNamePlaceholder));
    EXPECT_TRUE(IsUntouched(QStringLiteral("   "), kNamePlaceholder));
    EXPECT_TRUE(IsUntouched(QStringLiteral(" Your Name "), kNamePlaceholder));
    EXPECT_FALSE(IsUntouched(QStringLiteral("Your name"), kNamePlaceholder));
    EXPECT_FALSE(IsUntouched(QStringLiteral("\t"), kNamePlaceholder));
    EXPECT_FALSE(IsUntouched(QStringLiteral("Your Message\r\n"), kMessagePlaceholder));
}

} // namespace
