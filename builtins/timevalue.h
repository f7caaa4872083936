#pragma once

#include <QDateTime>

// A Date's time value counts milliseconds of local wall-clock time from the start of Julian
// day 0: day number × 86,400,000 + milliseconds into the day. No zone arithmetic is done
// anywhere, so local and universal readings of a time value are the same.
namespace timevalue {

inline constexpr double msPerDay = 86400000.0;
// The largest time value a Date keeps; larger results become NaN.
inline constexpr double maximum = 8.64e15;

double day(double t);
double timeWithinDay(double t);
double hourFromTime(double t);
double minFromTime(double t);
double secFromTime(double t);
double msFromTime(double t);
double makeTime(double hour, double minute, double second, double ms);
double makeDate(double day, double time);
double timeClip(double v);
// The Julian Day Number of year, month counted from 0, and day; NaN for a part that is not
// finite or a date that does not exist (nothing rolls over into the next month).
double dayNumber(double year, double month0, double date);

// True when t can be read as a calendar date and time: finite, not before Julian day 0 and
// not past the largest time value.
bool isReadable(double t);
// The calendar date and the time of day t stands for; only meaningful when isReadable(t). The
// fields need no zone, so reading them never asks the zone database.
QDate dateOf(double t);
QTime timeOfDayOf(double t);
// The time value of the fields as stored, with no zone conversion.
double timeValueOf(const QDate &date, const QTime &time);
double timeValueOf(const QDateTime &dateTime);
// The Qt::TextDate form of the local date and time t stands for, "Sun Mar 29 02:30:00 2026";
// only meaningful when isReadable(t).
QString textOf(double t);

} // namespace timevalue
