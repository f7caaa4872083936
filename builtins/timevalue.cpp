#include "builtins/timevalue.h"

#include <cmath>

namespace timevalue {

double day(double t)
{
    return std::floor(t / msPerDay);
}

double timeWithinDay(double t)
{
    return std::fmod(t, msPerDay);
}

double hourFromTime(double t)
{
    return std::fmod(std::floor(t / 3600000.0), 24);
}

double minFromTime(double t)
{
    return std::fmod(std::floor(t / 60000.0), 60);
}

double secFromTime(double t)
{
    return std::fmod(std::floor(t / 1000.0), 60);
}

double msFromTime(double t)
{
    return std::fmod(t, 1000);
}

// No finiteness test: a NaN part makes the whole time NaN.
double makeTime(double hour, double minute, double second, double ms)
{
    return std::floor(hour) * 3600000.0 + std::floor(minute) * 60000.0 + std::floor(second) * 1000.0
            + std::floor(ms);
}

double makeDate(double day, double time)
{
    return day * msPerDay + time;
}

// There is no lower bound: only values past the largest time value are refused.
double timeClip(double v)
{
    if (std::isnan(v) || std::isinf(v))
        return v;
    if (v > maximum)
        return NAN;
    return v + 0; // turns -0 into +0
}

namespace {

// A calendar part as the int a QDate takes, truncated toward zero as a C++ conversion is;
// false when the double has no int.
bool toCalendarInt(double part, int &value)
{
    if (!std::isfinite(part) || part <= -2147483649.0 || part >= 2147483648.0)
        return false;
    value = int(part);
    return true;
}

} // namespace

double dayNumber(double year, double month0, double date)
{
    int y, m, d;
    if (!toCalendarInt(year, y) || !toCalendarInt(month0, m) || !toCalendarInt(date, d)
            || m == 2147483647)
        return NAN;
    const QDate calendarDate(y, m + 1, d);
    return calendarDate.isValid() ? double(calendarDate.toJulianDay()) : NAN;
}

bool isReadable(double t)
{
    return std::isfinite(t) && t >= 0 && t <= maximum;
}

namespace {

// The Gregorian date of a Julian Day Number (Fliegel and Van Flandern). The algorithm counts
// astronomical years, with a year 0; QDate has none, so years up to 0 move back by one.
QDate gregorianDate(qint64 jd)
{
    qint64 l = jd + 68569;
    const qint64 n = 4 * l / 146097;
    l = l - (146097 * n + 3) / 4;
    const qint64 i = 4000 * (l + 1) / 1461001;
    l = l - 1461 * i / 4 + 31;
    const qint64 j = 80 * l / 2447;
    const qint64 d = l - 2447 * j / 80;
    l = j / 11;
    const qint64 m = j + 2 - 12 * l;
    qint64 y = 100 * (n - 49) + i + l;
    if (y <= 0)
        --y;
    return QDate(int(y), int(m), int(d));
}

} // namespace

QDate dateOf(double t)
{
    return gregorianDate(qint64(day(t)));
}

QTime timeOfDayOf(double t)
{
    const qint32 timeOfDay = qint32(quint32(quint64(qint64(timeWithinDay(t)))));
    return QTime(int(hourFromTime(timeOfDay)), int(minFromTime(timeOfDay)),
            int(secFromTime(timeOfDay)), int(msFromTime(timeOfDay)));
}

double timeValueOf(const QDate &date, const QTime &time)
{
    return double(date.toJulianDay()) * msPerDay + time.hour() * 3600000.0 + time.minute() * 60000.0
            + time.second() * 1000.0 + time.msec();
}

double timeValueOf(const QDateTime &dateTime)
{
    return timeValueOf(dateTime.date(), dateTime.time());
}

// Written as QDateTime writes a local time, but from the fields themselves: a QDateTime in the
// process's zone would ask the zone database on every call, and a wall-clock time the zone
// skips (the hour lost to daylight saving) has no valid QDateTime at all.
QString textOf(double t)
{
    QString text = dateOf(t).toString(Qt::TextDate);
    text.insert(text.lastIndexOf(u' '), u' ' + timeOfDayOf(t).toString(Qt::TextDate));
    return text;
}

} // namespace timevalue
