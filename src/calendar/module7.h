// Solar Hijri (Persian) calendar: turns a Gregorian date into solar date text.
#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

namespace Module7 {

// True when solar year 1332 + n has 366 days.
bool IsSolarLeapYear(int n);

// Converts a count of days since 21 March 1953 (day 0, which is 1332/1/1)
// into a solar year, month and day. A negative count assigns none of the
// outputs and returns false; otherwise the outputs are set and true is returned.
bool DaysToSolarDate(qint64 days, int &year, int &month, int &day);

// Solar date text of date in one of these formats:
//   0: yyyy/mm/dd, month and day padded to two digits (1393/05/02)
//   1: day, month name, year
//   2: weekday name, y/m/d
//   3: weekday name, day, month name, year
//   4: y.m.d (1393.5.2)
// Any other format, an invalid date or a date before 21 March 1953 gives empty text.
QString SolarDateText(const QDate &date, int format = 0);
// The Gregorian date of a solar date of this calendar (year 1332 on); an
// invalid date when the month or day does not exist in that year.
QDate SolarToGregorian(int year, int month, int day);

} // namespace Module7
