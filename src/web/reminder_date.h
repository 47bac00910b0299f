#pragma once

// How the reminder's date is written to and read from the settings store: in the user's
// short-date format, but always with a four-digit year, so that "12/7/26" can never come
// back as 1926.

#include <QDate>
#include <QLocale>
#include <QString>

namespace ssn::web {

// The date as text in the locale's short-date format with every year field widened to four
// digits, with ASCII digits and English month names whatever the locale, so that the text
// survives the settings encoding.
QString formatReminderDate(const QDate& date, const QLocale& locale);

// The date in a text written by formatReminderDate, or an invalid date when the text cannot
// be read as one. Literal characters of the format that the settings store could not keep
// (it turns them into "?") do not matter: the day, month and year fields are found by their
// digits as well.
QDate ParseReminderDate(const QString& text, const QLocale& locale);

} // namespace ssn::web
