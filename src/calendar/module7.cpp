#include "calendar/module7.h"

#include <array>

namespace {

// Day 0 of the day count, 21 March 1953, is the first day of solar year 1332.
constexpr int kEpochYear = 1953;
constexpr int kEpochMonth = 3;
constexpr int kEpochDay = 21;
constexpr int kBaseYear = 1332;
constexpr int kLeapAnchor = 1309;

// Months 1 to 12.
constexpr std::array<const char *, 12> kMonthNames = {
    "فروردين",
    "ارديبهشت",
    "خرداد",
    "تير",
    "مرداد",
    "شهريور",
    "مهر",
    "آبان",
    "آذر",
    "دي",
    "بهمن",
    "اسفند",
};

// Sunday to Saturday.
constexpr std::array<const char *, 7> kWeekdayNames = {
    "يکشنبه",
    "دوشنبه",
    "سه شنبه",
    "چهارشنبه",
    "پنجشنبه",
    "جمعه",
    "شنبه",
};

QString twoDigits(int value)
{
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

namespace Module7 {

bool IsSolarLeapYear(int n)
{
    const int t = kBaseYear + n - kLeapAnchor;
    const int r = t % 32;
    const int q = t / 32;
    return (r - q) % 4 == 0;
}

bool DaysToSolarDate(qint64 days, int &year, int &month, int &day)
{
    if (days < 0)
        return false;

    int n = 0;
    for (;;) {
        const int length = IsSolarLeapYear(n) ? 366 : 365;
        if (days < length)
            break;
        days -= length;
        ++n;
    }

    // days is now the 0-based day of the year: six months of 31 days, then months of 30.
    const int d = static_cast<int>(days);
    year = kBaseYear + n;
    if (d <= 185) {
        month = d / 31 + 1;
        day = d % 31 + 1;
    } else {
        month = (d - 186) / 30 + 7;
        day = (d - 186) % 30 + 1;
    }
    return true;
}

QString SolarDateText(const QDate &date, int format)
{
    if (!date.isValid())
        return QString();

    int year = 0;
    int month = 0;
    int day = 0;
    // A date before the epoch has no solar date here.
    if (!DaysToSolarDate(QDate(kEpochYear, kEpochMonth, kEpochDay).daysTo(date), year, month, day))
        return QString();

    // QDate numbers Monday 1 to Sunday 7; the name list starts at Sunday.
    const QString weekdayName = QString::fromUtf8(kWeekdayNames[date.dayOfWeek() % 7]);
    const QString monthName = QString::fromUtf8(kMonthNames[month - 1]);
    const QString y = QString::number(year);
    const QString m = QString::number(month);
    const QString d = QString::number(day);

    switch (format) {
    case 0:
        return y + u'/' + twoDigits(month) + u'/' + twoDigits(day);
    case 1:
        return d + u' ' + monthName + u' ' + y;
    case 2:
        return weekdayName + u' ' + y + u'/' + m + u'/' + d;
    case 3:
        return weekdayName + u' ' + d + u' ' + monthName + u' ' + y;
    case 4:
        return y + u'.' + m + u'.' + d;
    default:
        return QString();
    }
}

QDate SolarToGregorian(int year, int month, int day)
{
    if (year < kBaseYear || month < 1 || month > 12 || day < 1)
        return {};
    const int n = year - kBaseYear;
    const int monthLength = month <= 6 ? 31 : month <= 11 ? 30 : (IsSolarLeapYear(n) ? 30 : 29);
    if (day > monthLength)
        return {};
    qint64 days = 0;
    for (int earlier = 0; earlier < n; ++earlier)
        days += IsSolarLeapYear(earlier) ? 366 : 365;
    days += month <= 7 ? (month - 1) * 31 : 186 + (month - 7) * 30;
    days += day - 1;
    return QDate(kEpochYear, kEpochMonth, kEpochDay).addDays(days);
}

} // namespace Module7
