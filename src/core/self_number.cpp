#include "core/self_number.h"

#include "core/blank_trim.h"
#include "core/core_texts.h"
#include "core/letter_chart.h"

#include <bit>
#include <charconv>
#include <initializer_list>

namespace ssn::core {

int GetSubconsciousSelfNumber(std::u16string_view firstName, std::u16string_view middleName,
                              std::u16string_view lastName) {
    // Walking the three trimmed parts one after the other is the same as walking the joined
    // name, without building it: the name may be any length.
    DigitFlags flags = 0;
    for (const std::u16string_view part :
         {TrimBlanks(firstName), TrimBlanks(middleName), TrimBlanks(lastName)}) {
        flags = AddChartDigits(flags, part);
    }
    return std::popcount(flags);
}

std::u16string_view GetSelfNumberInterpretation(int number) {
    // Compared as long long so that no int, however large or small, can overflow here.
    const long long index = static_cast<long long>(number) - texts::kFirstInterpretedNumber;
    if (index < 0 || index >= static_cast<long long>(texts::kInterpretations.size())) {
        return texts::kNumberNotValid;
    }
    return texts::kInterpretations[static_cast<std::size_t>(index)];
}

std::u16string BuildSelfNumberReport(int number, std::u16string_view interpretation) {
    // to_chars writes plain decimal digits, with "-" only for a negative number (the
    // calculation never gives one, but every int must still give a well-formed report).
    char digits[16];
    const auto written = std::to_chars(digits, digits + sizeof digits, number).ptr;

    std::u16string report;
    report.reserve(texts::kReportNumberIntro.size() + sizeof digits + texts::kReportExplanation.size() +
                   interpretation.size() + 8 * texts::kReportLineBreak.size());
    report += texts::kReportNumberIntro;
    report.append(digits, written);
    const auto paragraphEnd = [&report] {
        report += texts::kReportLineBreak;
        report += texts::kReportLineBreak;
    };
    paragraphEnd();
    report += texts::kReportExplanation;
    paragraphEnd();
    report += interpretation;
    paragraphEnd();
    paragraphEnd();
    return report;
}

} // namespace ssn::core
