#include "calendar/module7.h"

#include <QDate>
#include <QSet>
#include <QString>
#include <QTest>

#include <limits>

namespace {

// Month names, months 1 to 12.
const char *const kMonthNames[] = {
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

// Weekday names, Sunday to Saturday.
const char *const kWeekdayNames[] = {
    "يکشنبه",
    "دوشنبه",
    "سه شنبه",
    "چهارشنبه",
    "پنجشنبه",
    "جمعه",
    "شنبه",
};

QString monthName(int month)
{
    return QString::fromUtf8(kMonthNames[month - 1]);
}

// 0 = Sunday ... 6 = Saturday.
QString weekdayName(int index)
{
    return QString::fromUtf8(kWeekdayNames[index]);
}

QString triple(int year, int month, int day)
{
    return QStringLiteral("%1/%2/%3").arg(year).arg(month).arg(day);
}

} // namespace

class TestModule7 : public QObject
{
    Q_OBJECT

private slots:
    void solarDateText_data();
    void solarDateText();
    void weekdayNames_data();
    void weekdayNames();
    void leapRule_data();
    void leapRule();
    void leapYearsFrom1332To1441();
    void daysToSolarDate_data();
    void daysToSolarDate();
    void negativeDaysLeaveOutputsUntouched_data();
    void negativeDaysLeaveOutputsUntouched();
    void consecutiveDaysGiveConsecutiveSolarDates();
    void solarToGregorianBothWaysEveryDay();
    void solarToGregorianRefusesDatesThatDoNotExist_data();
    void solarToGregorianRefusesDatesThatDoNotExist();
};

void TestModule7::solarDateText_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("expected");

    QTest::newRow("epoch") << QDate(1953, 3, 21) << 0 << QStringLiteral("1332/01/01");
    for (int format = 0; format <= 4; ++format) {
        QTest::addRow("day before epoch, format %d", format) << QDate(1953, 3, 20) << format << QString();
        QTest::addRow("invalid date, format %d", format) << QDate() << format << QString();
    }
    QTest::newRow("long before epoch") << QDate(1900, 1, 1) << 4 << QString();

    QTest::newRow("last day of month 6") << QDate(2014, 9, 22) << 0 << QStringLiteral("1393/06/31");
    QTest::newRow("first day of month 7") << QDate(2014, 9, 23) << 0 << QStringLiteral("1393/07/01");
    QTest::newRow("day 30 of month 12 in leap 1395") << QDate(2017, 3, 20) << 0 << QStringLiteral("1395/12/30");
    QTest::newRow("new year 1396") << QDate(2017, 3, 21) << 0 << QStringLiteral("1396/01/01");
    QTest::newRow("new year 1403") << QDate(2024, 3, 20) << 0 << QStringLiteral("1403/01/01");
    QTest::newRow("day 30 of month 12 in leap 1403") << QDate(2025, 3, 20) << 0 << QStringLiteral("1403/12/30");
    QTest::newRow("new year 1404") << QDate(2025, 3, 21) << 0 << QStringLiteral("1404/01/01");
    QTest::newRow("day 29 of month 12 in common 1393") << QDate(2015, 3, 20) << 0 << QStringLiteral("1393/12/29");

    QTest::newRow("format 0 pads month and day") << QDate(2014, 4, 5) << 0 << QStringLiteral("1393/01/16");
    QTest::newRow("format 4 does not pad") << QDate(2014, 4, 5) << 4 << QStringLiteral("1393.1.16");
    QTest::newRow("format 4, two-digit month") << QDate(2015, 3, 20) << 4 << QStringLiteral("1393.12.29");

    // 19 July 2014 is a Saturday, 28 Tir 1393.
    const QDate saturday(2014, 7, 19);
    QTest::newRow("format 1") << saturday << 1 << QStringLiteral("28 ") + monthName(4) + QStringLiteral(" 1393");
    QTest::newRow("format 2") << saturday << 2 << weekdayName(6) + QStringLiteral(" 1393/4/28");
    QTest::newRow("format 3") << saturday << 3
                              << weekdayName(6) + QStringLiteral(" 28 ") + monthName(4) + QStringLiteral(" 1393");
    QTest::newRow("format 1, last month") << QDate(2025, 3, 20) << 1
                                          << QStringLiteral("30 ") + monthName(12) + QStringLiteral(" 1403");
    QTest::newRow("format 3, first month") << QDate(1953, 3, 21) << 3
                                           << weekdayName(6) + QStringLiteral(" 1 ") + monthName(1)
                                                  + QStringLiteral(" 1332");

    QTest::newRow("format 5") << saturday << 5 << QString();
    QTest::newRow("format -1") << saturday << -1 << QString();
    QTest::newRow("format 100") << saturday << 100 << QString();
}

void TestModule7::solarDateText()
{
    QFETCH(QDate, date);
    QFETCH(int, format);
    QFETCH(QString, expected);

    QCOMPARE(Module7::SolarDateText(date, format), expected);
}

void TestModule7::weekdayNames_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("weekday");
    QTest::addColumn<QString>("solar");

    // 13 July 2014 is a Sunday.
    const char *const rowNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 7; ++i)
        QTest::newRow(rowNames[i]) << QDate(2014, 7, 13 + i) << i << QStringLiteral("1393/4/%1").arg(22 + i);
}

void TestModule7::weekdayNames()
{
    QFETCH(QDate, date);
    QFETCH(int, weekday);
    QFETCH(QString, solar);

    QCOMPARE(Module7::SolarDateText(date, 2), weekdayName(weekday) + u' ' + solar);
}

void TestModule7::leapRule_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("leap");

    QTest::newRow("1332") << 1332 << false;
    QTest::newRow("1333") << 1333 << true;
    QTest::newRow("1341, start of second block") << 1341 << false;
    QTest::newRow("1342") << 1342 << true;
    QTest::newRow("1395") << 1395 << true;
    QTest::newRow("1402") << 1402 << false;
    QTest::newRow("1403") << 1403 << true;
    QTest::newRow("1436") << 1436 << true;
    QTest::newRow("1437") << 1437 << true;
    QTest::newRow("1438") << 1438 << false;
    // Before the leap anchor the quotient is truncated toward zero and the
    // remainder keeps the sign of t: t = -33 gives r = -1, q = -1.
    QTest::newRow("1276, t = -33") << 1276 << true;
    QTest::newRow("1277, t = -32") << 1277 << false;
    QTest::newRow("1305, t = -4") << 1305 << true;
    QTest::newRow("1302, t = -7") << 1302 << false;
}

void TestModule7::leapRule()
{
    QFETCH(int, year);
    QFETCH(bool, leap);

    QCOMPARE(Module7::IsSolarLeapYear(year - 1332), leap);
}

void TestModule7::leapYearsFrom1332To1441()
{
    QSet<int> expected{1333, 1337, 1437, 1441};
    for (int y = 1342; y <= 1370; y += 4)
        expected.insert(y);
    for (int y = 1375; y <= 1403; y += 4)
        expected.insert(y);
    for (int y = 1408; y <= 1436; y += 4)
        expected.insert(y);

    for (int y = 1332; y <= 1441; ++y) {
        if (Module7::IsSolarLeapYear(y - 1332) != expected.contains(y))
            QFAIL(qPrintable(QStringLiteral("year %1: expected %2").arg(y).arg(expected.contains(y) ? "leap" : "common")));
    }
}

void TestModule7::daysToSolarDate_data()
{
    QTest::addColumn<qint64>("days");
    QTest::addColumn<QString>("expected");

    QTest::newRow("day 0") << qint64(0) << QStringLiteral("1332/1/1");
    QTest::newRow("day 30, last of month 1") << qint64(30) << QStringLiteral("1332/1/31");
    QTest::newRow("day 31, first of month 2") << qint64(31) << QStringLiteral("1332/2/1");
    QTest::newRow("day 185, last of month 6") << qint64(185) << QStringLiteral("1332/6/31");
    QTest::newRow("day 186, first of month 7") << qint64(186) << QStringLiteral("1332/7/1");
    QTest::newRow("day 215, last of month 7") << qint64(215) << QStringLiteral("1332/7/30");
    QTest::newRow("day 364, last of common 1332") << qint64(364) << QStringLiteral("1332/12/29");
    QTest::newRow("day 365, new year 1333") << qint64(365) << QStringLiteral("1333/1/1");
    QTest::newRow("day 730, last of leap 1333") << qint64(730) << QStringLiteral("1333/12/30");
    QTest::newRow("day 731, new year 1334") << qint64(731) << QStringLiteral("1334/1/1");
}

void TestModule7::daysToSolarDate()
{
    QFETCH(qint64, days);
    QFETCH(QString, expected);

    int year = -1;
    int month = -1;
    int day = -1;
    QVERIFY(Module7::DaysToSolarDate(days, year, month, day));
    QCOMPARE(triple(year, month, day), expected);
}

void TestModule7::negativeDaysLeaveOutputsUntouched_data()
{
    QTest::addColumn<qint64>("days");

    QTest::newRow("-1") << qint64(-1);
    QTest::newRow("-366") << qint64(-366);
    QTest::newRow("lowest") << std::numeric_limits<qint64>::min();
}

void TestModule7::negativeDaysLeaveOutputsUntouched()
{
    QFETCH(qint64, days);

    int year = 4711;
    int month = -42;
    int day = 99;
    QVERIFY(!Module7::DaysToSolarDate(days, year, month, day));
    QCOMPARE(year, 4711);
    QCOMPARE(month, -42);
    QCOMPARE(day, 99);
}

void TestModule7::consecutiveDaysGiveConsecutiveSolarDates()
{
    const QDate first(1953, 3, 21);
    const QDate last(2100, 12, 31);
    const qint64 count = first.daysTo(last) + 1;

    int year = 0;
    int month = 0;
    int day = 0;
    QVERIFY(Module7::DaysToSolarDate(0, year, month, day));
    QCOMPARE(triple(year, month, day), QStringLiteral("1332/1/1"));

    for (qint64 i = 1; i < count; ++i) {
        const int monthLength = month <= 6    ? 31
                                : month <= 11 ? 30
                                : Module7::IsSolarLeapYear(year - 1332) ? 30
                                                                        : 29;
        int nextYear = year;
        int nextMonth = month;
        int nextDay = day + 1;
        if (day == monthLength) {
            nextDay = 1;
            if (month == 12) {
                nextMonth = 1;
                ++nextYear;
            } else {
                ++nextMonth;
            }
        }

        if (!Module7::DaysToSolarDate(i, year, month, day))
            QFAIL(qPrintable(QStringLiteral("day %1 was not converted").arg(i)));
        if (year != nextYear || month != nextMonth || day != nextDay) {
            QFAIL(qPrintable(QStringLiteral("%1 (day %2): got %3, expected %4")
                                 .arg(first.addDays(i).toString(Qt::ISODate))
                                 .arg(i)
                                 .arg(triple(year, month, day), triple(nextYear, nextMonth, nextDay))));
        }
    }
    // The sweep ran through 31 December 2100.
    QCOMPARE(year, 1479);
}

// Every day of solar years 1332 to 1479: the Gregorian date of its solar
// date is that day, and the solar text of that Gregorian date names it again.
void TestModule7::solarToGregorianBothWaysEveryDay()
{
    const QDate epoch(1953, 3, 21);
    int year = 0;
    int month = 0;
    int day = 0;
    qint64 days = 0;
    for (;; ++days) {
        QVERIFY(Module7::DaysToSolarDate(days, year, month, day));
        if (year > 1479)
            break;
        const QDate gregorian = Module7::SolarToGregorian(year, month, day);
        if (gregorian != epoch.addDays(days))
            QFAIL(qPrintable(QStringLiteral("%1 gave %2, expected %3")
                                 .arg(triple(year, month, day), gregorian.toString(Qt::ISODate),
                                      epoch.addDays(days).toString(Qt::ISODate))));
        const QString text = Module7::SolarDateText(gregorian, 0);
        if (text != QStringLiteral("%1/%2/%3").arg(year).arg(month, 2, 10, QLatin1Char('0')).arg(day, 2, 10, QLatin1Char('0')))
            QFAIL(qPrintable(text));
    }
    // 1332/01/01 to 1479/12/end: 148 solar years.
    QVERIFY(days > 148 * 365 && days < 148 * 366);
    QCOMPARE(Module7::SolarToGregorian(1405, 9, 19), QDate(2026, 12, 10));
}

void TestModule7::solarToGregorianRefusesDatesThatDoNotExist_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::newRow("before the calendar") << 1331 << 12 << 29;
    QTest::newRow("month 0") << 1400 << 0 << 1;
    QTest::newRow("month 13") << 1400 << 13 << 1;
    QTest::newRow("day 0") << 1400 << 1 << 0;
    QTest::newRow("day 32 of month 1") << 1400 << 1 << 32;
    QTest::newRow("day 31 of month 7") << 1400 << 7 << 31;
    QTest::newRow("day 30 of month 12, common year") << 1402 << 12 << 30;
}

void TestModule7::solarToGregorianRefusesDatesThatDoNotExist()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QVERIFY(!Module7::SolarToGregorian(year, month, day).isValid());
}

QTEST_APPLESS_MAIN(TestModule7)

#include "tst_module7.moc"
