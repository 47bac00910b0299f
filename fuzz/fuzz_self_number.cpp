// Any three name texts give a number from 0 to 9 that matches a plain recount of the chart
// digits, an interpretation for it, and a well-formed report. A fourth and fifth field feed
// any int and any interpretation text to the report, which must stay well-formed too.

#include "core/self_number.h"
#include "fuzz_input.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using ssn::fuzz::Require;

constexpr std::u16string_view kIntro = u"Your Subconscious Self Number is: ";
constexpr std::u16string_view kExplanation =
    u"This number shows how you deal and respond in sudden situations. The Subconscious Self reflects the "
    u"confidence you have in your personal power and competence, as well as the part of your nature that "
    u"needs to be strengthened.";
constexpr std::u16string_view kNotValid = u"This number is not valid for this name.";
constexpr std::u16string_view kParagraphEnd = u"\r\n\r\n";

// The chart's rows repeat every nine letters: A, J and S share digit 1, and so on. Blanks are
// not letters, so trimming cannot change the count and the raw texts can be walked.
int recount(const std::u16string& first, const std::u16string& middle, const std::u16string& last) {
    bool seen[9] = {};
    for (const std::u16string* part : {&first, &middle, &last}) {
        for (const char16_t character : *part) {
            if (character >= u'A' && character <= u'Z') {
                seen[(character - u'A') % 9] = true;
            }
        }
    }
    int count = 0;
    for (const bool digitSeen : seen) {
        count += digitSeen ? 1 : 0;
    }
    return count;
}

std::u16string decimal(int number) {
    const std::string digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}

void checkReport(int number, std::u16string_view interpretation) {
    const std::u16string report = ssn::core::BuildSelfNumberReport(number, interpretation);
    std::u16string expected(kIntro);
    expected += decimal(number);
    expected += kParagraphEnd;
    expected += kExplanation;
    expected += kParagraphEnd;
    expected += interpretation;
    expected += kParagraphEnd;
    expected += kParagraphEnd;
    Require(report.starts_with(kIntro), "report starts with the intro");
    Require(report.ends_with(std::u16string(interpretation) + u"\r\n\r\n\r\n\r\n"),
            "report ends with the interpretation and four CR LF");
    Require(report == expected, "report is intro, number, explanation, interpretation, closing");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto fields = ssn::fuzz::SplitFields(data, size, 5);

    const int number = ssn::core::GetSubconsciousSelfNumber(fields[0], fields[1], fields[2]);
    Require(number >= 0 && number <= 9, "number from 0 to 9");
    Require(number == recount(fields[0], fields[1], fields[2]), "number counts the distinct chart digits");
    Require(number == ssn::core::GetSubconsciousSelfNumber(fields[2], fields[1], fields[0]),
            "swapping first and last name changes nothing");

    const std::u16string_view interpretation = ssn::core::GetSelfNumberInterpretation(number);
    Require(!interpretation.empty(), "every number has an interpretation");
    Require((number < 3) == (interpretation == kNotValid), "numbers below 3 and only they are not valid");
    checkReport(number, interpretation);

    // Any int, however far outside 0..9, still has a text and a well-formed report.
    const int anyNumber = ssn::fuzz::ReadInt(fields[3]);
    const std::u16string_view anyInterpretation = ssn::core::GetSelfNumberInterpretation(anyNumber);
    Require((anyNumber >= 3 && anyNumber <= 9) != (anyInterpretation == kNotValid),
            "outside 3..9 the number is not valid");
    checkReport(anyNumber, anyInterpretation);
    checkReport(anyNumber, fields[4]);
    return 0;
}
