#include "web/reminder_date.h"

#include <vector>

namespace ssn::web {

namespace {

enum class NumericField { Day, Month, Year };

// Calls onField for every run of one pattern letter outside quoted text, and onLiteral for
// everything else, in order. Quoting follows QDate's format rules: text between single
// quotes is literal, and two single quotes stand for one.
template <typename OnField, typename OnLiteral>
void walkFormat(const QString& format, OnField onField, OnLiteral onLiteral) {
    qsizetype i = 0;
    bool quoted = false;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == u'\'') {
            quoted = !quoted;
            onLiteral(QStringView(format).mid(i, 1));
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        if (!quoted && c.isLetter()) {
            while (end < format.size() && format[end] == c) {
                ++end;
            }
            onField(c, end - i, QStringView(format).mid(i, end - i));
        } else {
            onLiteral(QStringView(format).mid(i, 1));
        }
        i = end;
    }
}

std::vector<NumericField> numericFieldsOf(const QString& format) {
    std::vector<NumericField> fields;
    walkFormat(
        format,
        [&](QChar letter, qsizetype length, QStringView) {
            if (letter == u'd' && length <= 2) {
                fields.push_back(NumericField::Day);
            } else if (letter == u'M' && length <= 2) {
                fields.push_back(NumericField::Month);
            } else if (letter == u'y') {
                fields.push_back(NumericField::Year);
            }
        },
        [](QStringView) {});
    return fields;
}

std::vector<QStringView> digitRunsOf(const QString& text) {
    std::vector<QStringView> runs;
    qsizetype i = 0;
    while (i < text.size()) {
        qsizetype end = i;
        while (end < text.size() && text[end] >= u'0' && text[end] <= u'9') {
            ++end;
        }
        if (end > i) {
            runs.push_back(QStringView(text).mid(i, end - i));
            i = end;
        } else {
            ++i;
        }
    }
    return runs;
}

// Reads the date from the runs of ASCII digits alone, in the order the format gives its day,
// month and year. Used when a stored text no longer matches the format literally because
// the store replaced some of its literal characters.
QDate parseByDigitRuns(const QString& text, const QString& format) {
    const std::vector<NumericField> fields = numericFieldsOf(format);
    const std::vector<QStringView> runs = digitRunsOf(text);
    if (fields.size() != 3 || runs.size() != 3) {
        return {};
    }
    int day = 0;
    int month = 0;
    int year = 0;
    for (std::size_t k = 0; k < runs.size(); ++k) {
        const QStringView run = runs[k];
        const qsizetype widest = fields[k] == NumericField::Year ? 4 : 2;
        const qsizetype narrowest = fields[k] == NumericField::Year ? 4 : 1;
        if (run.size() < narrowest || run.size() > widest) {
            return {};
        }
        const int value = run.toInt();
        switch (fields[k]) {
        case NumericField::Day:
            day = value;
            break;
        case NumericField::Month:
            month = value;
            break;
        case NumericField::Year:
            year = value;
            break;
        }
    }
    return QDate(year, month, day);
}

// The locale's short-date format with every year field widened to four digits.
QString reminderDateFormat(const QLocale& locale) {
    QString widened;
    walkFormat(
        locale.dateFormat(QLocale::ShortFormat),
        [&](QChar letter, qsizetype, QStringView run) {
            if (letter == u'y') {
                widened += QStringLiteral("yyyy");
            } else {
                widened += run;
            }
        },
        [&](QStringView literal) { widened += literal; });
    return widened;
}

} // namespace

QString formatReminderDate(const QDate& date, const QLocale& locale) {
    return date.toString(reminderDateFormat(locale));
}

QDate ParseReminderDate(const QString& text, const QLocale& locale) {
    const QString format = reminderDateFormat(locale);
    const QDate exact = QDate::fromString(text, format);
    if (exact.isValid()) {
        return exact;
    }
    return parseByDigitRuns(text, format);
}

} // namespace ssn::web
