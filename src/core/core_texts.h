#pragma once

// Every text that the calculation and the input checks give to the user, kept in one place, and
// the program's title, which every message box without a title of its own carries.

#include <array>
#include <string_view>

namespace ssn::core::texts {

inline constexpr std::u16string_view kApplicationTitle = u"VL Subconscious Self Number";

inline constexpr std::u16string_view kReportNumberIntro = u"Your Subconscious Self Number is: ";

inline constexpr std::u16string_view kReportExplanation =
    u"This number shows how you deal and respond in sudden situations. The Subconscious Self reflects the "
    u"confidence you have in your personal power and competence, as well as the part of your nature that "
    u"needs to be strengthened.";

inline constexpr std::u16string_view kReportLineBreak = u"\r\n";

// The interpretations of the numbers 3 to 9, in that order.
inline constexpr int kFirstInterpretedNumber = 3;
inline constexpr std::array<std::u16string_view, 7> kInterpretations = {
    u"You depend on others to take care of both you and your problems.  You exaggerate issues and are very "
    u"emotional in nature. Learn to face problems on your own strength. You need a well-defined goal to "
    u"carry "
    u"on. Don't let depression get the better of you.",
    u"You are a slow to react to issues. You are probably indecisive and prone to hesitation. A steady hand "
    u"does not always control life's challenges. You will need to be flexible and fast to match the pace the "
    u"world is carrying on at. You may get lost in unwanted details.",
    u"You adapt to change very well. But you may settle down once you have a stable career and family. You "
    u"tend to avoid facing problems. You energy is scattered in a hundred different ventures. You need to "
    u"exercise some discipline.",
    u"You frequently help others, willing to sacrifice your needs for yours. You take advice from family and "
    u"friends for encouragement when necessary. You are responsible and if you are also grounded and secure "
    u"in love and home, you will be quite capable of reaching the top.",
    u"You are well-balanced person. You are quite capable of handling life's challenges. In times of trouble "
    u"you retreat within yourself. People may find you to be indifferent and aloof. Your analytical mind "
    u"will "
    u"find an answer for all problems.",
    u"You love challenging tasks and like to play with them. You tactically manage life's problems. You do "
    u"not "
    u"make the same mistake twice. You are calm in problematic situations and very responsible. You delight "
    u"yourself on being a survivor. These are the real qualities of a winner. You are a survivor and always "
    u"grounded.",
    u"It's difficult for anyone to understand you. You are indifferent and very impersonal. In the face of "
    u"trouble, you are often competent and controlled but may suffer from arrogance and exaggerated "
    u"confidence failing to recognize your weaknesses. You need to control your anger.",
};

inline constexpr std::u16string_view kNumberNotValid = u"This number is not valid for this name.";

// Input checks. The two date messages really differ: only the second has a blank before "!".
inline constexpr std::u16string_view kEnterFirstName = u"Please Enter Your First Name";
inline constexpr std::u16string_view kEnterLastName = u"Please Enter Your Last Name";
inline constexpr std::u16string_view kSpecifyBirthDate = u"Please Specify Your Birth Date";
inline constexpr std::u16string_view kSpecifyBirthMonth = u"Please Specify Your Birth Month";
inline constexpr std::u16string_view kSpecifyBirthYear = u"Please Specify Your Birth Year";
inline constexpr std::u16string_view kFebruaryDayTooLate = u"Please Enter Correct Date Or Month!";
inline constexpr std::u16string_view kThirtyDayMonthDay31 = u"Please Enter Correct Date Or Month !";

} // namespace ssn::core::texts
