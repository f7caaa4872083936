#include "builtins/nativedate.h"

#include "builtins/builtinmethod.h"
#include "builtins/timevalue.h"
#include "engine/convert.h"

#include <cmath>

using namespace timevalue;

namespace {

// The time value of whatever object this is, read as a double whatever the slot's kind.
double timeOf(ESObject *object)
{
    const ESValue &value = object->internalValue;
    return value.isNumber() || value.isBoolean() ? value.asNumber() : esNaN;
}

void requireDate(ESContext *cx, ESObject *thisObject)
{
    if (thisObject->objectClass != cx->dateClass)
        throwTypeError(cx, QStringLiteral("Date object required"));
}

// Stores a setter's result, which is also what the setter answers.
ESValue store(ESObject *date, double v)
{
    date->internalValue = numberValue(timeClip(v));
    return date->internalValue;
}

// t rebuilt from its fields, as the setters start from; NaN when t has no calendar reading.
double rebuiltTime(double t)
{
    return isReadable(t) ? timeValueOf(dateOf(t), timeOfDayOf(t)) : esNaN;
}

// An argument the caller left out keeps the field it would set; the padding of the call
// protocol makes a missing argument Undefined, so Undefined is read as left out.
double fieldOr(ESContext *cx, const ESValue &argument, double current)
{
    return argument.isUndefined() ? current : toNumber(cx, argument);
}

template <QString (*format)(double t)>
ESValue text(ESContext *cx, ESObject *thisObject, int, ESValue *)
{
    requireDate(cx, thisObject);
    const double t = timeOf(thisObject);
    if (!isReadable(t))
        return stringValue(QStringLiteral("Invalid Date"));
    return stringValue(format(t));
}

QString dateText(double t)
{
    return dateOf(t).toString(Qt::TextDate);
}
QString timeText(double t)
{
    return timeOfDayOf(t).toString(Qt::TextDate);
}

ESValue valueOf(ESContext *cx, ESObject *thisObject, int, ESValue *)
{
    requireDate(cx, thisObject);
    return numberValue(timeOf(thisObject));
}

ESValue getTime(ESContext *cx, ESObject *thisObject, int, ESValue *)
{
    requireDate(cx, thisObject);
    return numberValue(rebuiltTime(timeOf(thisObject)));
}

// One calendar field of the time value; NaN when it has no calendar reading.
template <int (*field)(double t)>
ESValue getter(ESContext *cx, ESObject *thisObject, int, ESValue *)
{
    requireDate(cx, thisObject);
    const double t = timeOf(thisObject);
    return numberValue(isReadable(t) ? field(t) : esNaN);
}

int fullYear(double t)
{
    return dateOf(t).year();
}
int month(double t)
{
    return dateOf(t).month() - 1;
}
int date(double t)
{
    return dateOf(t).day();
}
int weekDay(double t)
{
    return dateOf(t).dayOfWeek() % 7; // Qt counts Monday 1 to Sunday 7
}
int hours(double t)
{
    return timeOfDayOf(t).hour();
}
int minutes(double t)
{
    return timeOfDayOf(t).minute();
}
int seconds(double t)
{
    return timeOfDayOf(t).second();
}
int milliseconds(double t)
{
    return timeOfDayOf(t).msec();
}

// Local time is wall-clock time, so its offset from universal time is 0 by definition.
ESValue getTimezoneOffset(ESContext *, ESObject *, int, ESValue *)
{
    return numberValue(0);
}

// Any object may take a time value; the this-check is left out on purpose.
ESValue setTime(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    return store(thisObject, toNumber(cx, arguments[0]));
}

ESValue setMilliseconds(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const double ms = toNumber(cx, arguments[0]);
    requireDate(cx, thisObject);
    const double t = rebuiltTime(timeOf(thisObject));
    return store(thisObject,
            makeDate(day(t), makeTime(hourFromTime(t), minFromTime(t), secFromTime(t), ms)));
}

ESValue setSeconds(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const double s = toNumber(cx, arguments[0]);
    requireDate(cx, thisObject);
    const double t = rebuiltTime(timeOf(thisObject));
    const double ms = fieldOr(cx, arguments[1], msFromTime(t));
    return store(thisObject, makeDate(day(t), makeTime(hourFromTime(t), minFromTime(t), s, ms)));
}

// setMinutes declares two arguments and setUTCMinutes three; a third one given to either
// sets the milliseconds.
ESValue setMinutes(ESContext *cx, ESObject *thisObject, int count, ESValue *arguments)
{
    const double m = toNumber(cx, arguments[0]);
    requireDate(cx, thisObject);
    const double t = rebuiltTime(timeOf(thisObject));
    const double s = fieldOr(cx, arguments[1], secFromTime(t));
    const double ms = count >= 3 ? fieldOr(cx, arguments[2], msFromTime(t)) : msFromTime(t);
    return store(thisObject, makeDate(day(t), makeTime(hourFromTime(t), m, s, ms)));
}

ESValue setHours(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const double h = toNumber(cx, arguments[0]);
    requireDate(cx, thisObject);
    const double t = rebuiltTime(timeOf(thisObject));
    const double m = fieldOr(cx, arguments[1], minFromTime(t));
    const double s = fieldOr(cx, arguments[2], secFromTime(t));
    const double ms = fieldOr(cx, arguments[3], msFromTime(t));
    return store(thisObject, makeDate(day(t), makeTime(h, m, s, ms)));
}

// The calendar setters: a date that does not exist gives NaN rather than rolling over.
ESValue setDate(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const double d = toNumber(cx, arguments[0]);
    requireDate(cx, thisObject);
    const double t = rebuiltTime(timeOf(thisObject));
    if (!isReadable(t))
        return store(thisObject, esNaN);
    const QDate current = dateOf(t);
    return store(thisObject,
            makeDate(dayNumber(current.year(), current.month() - 1, d), timeWithinDay(t)));
}

ESValue setMonth(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const double m = toNumber(cx, arguments[0]);
    requireDate(cx, thisObject);
    const double t = rebuiltTime(timeOf(thisObject));
    if (!isReadable(t))
        return store(thisObject, esNaN);
    const QDate current = dateOf(t);
    const double d = fieldOr(cx, arguments[1], current.day());
    return store(thisObject, makeDate(dayNumber(current.year(), m, d), timeWithinDay(t)));
}

ESValue setFullYear(ESContext *cx, ESObject *thisObject, int, ESValue *arguments)
{
    const double y = toNumber(cx, arguments[0]);
    requireDate(cx, thisObject);
    const double t = rebuiltTime(timeOf(thisObject));
    if (!isReadable(t))
        return store(thisObject, esNaN);
    const QDate current = dateOf(t);
    const double m = fieldOr(cx, arguments[1], current.month() - 1);
    const double d = fieldOr(cx, arguments[2], current.day());
    return store(thisObject, makeDate(dayNumber(y, m, d), timeWithinDay(t)));
}

// Date called as a function is refused like an unknown index; the row exists for the
// constructor's label and length.
ESValue callDate(ESContext *cx, ESObject *, int, ESValue *)
{
    throwPlainError(cx, QStringLiteral("bad signature in builtin call"));
}

// clang-format off
// Function objects carry these native indexes: append rows only.
const ESBuiltinMethod methods[] = {
    { { "Date",               "Date",                              1,  0, 1, nullptr }, callDate },
    { { "toString",           "Date.prototype.toString",           0,  1, 0, nullptr }, text<textOf> },
    { { "toDateString",       "Date.prototype.toDateString",       0,  2, 0, nullptr }, text<dateText> },
    { { "toTimeString",       "Date.prototype.toTimeString",       0,  3, 0, nullptr }, text<timeText> },
    { { "toLocaleString",     "Date.prototype.toLocaleString",     0,  4, 0, nullptr }, text<textOf> },
    { { "toLocaleDateString", "Date.prototype.toLocaleDateString", 0,  5, 0, nullptr }, text<dateText> },
    { { "toLocaleTimeString", "Date.prototype.toLocaleTimeString", 0,  6, 0, nullptr }, text<timeText> },
    { { "valueOf",            "Date.prototype.valueOf",            0,  7, 0, nullptr }, valueOf },
    { { "getTime",            "Date.prototype.getTime",            0,  8, 0, nullptr }, getTime },
    { { "getFullYear",        "Date.prototype.getFullYear",        0,  9, 0, nullptr }, getter<fullYear> },
    { { "getUTCFullYear",     "Date.prototype.getUTCFullYear",     0, 10, 0, nullptr }, getter<fullYear> },
    { { "getMonth",           "Date.prototype.getMonth",           0, 11, 0, nullptr }, getter<month> },
    { { "getUTCMonth",        "Date.prototype.getUTCMonth",        0, 12, 0, nullptr }, getter<month> },
    { { "getDate",            "Date.prototype.getDate",            0, 13, 0, nullptr }, getter<date> },
    { { "getUTCDate",         "Date.prototype.getUTCDate",         0, 14, 0, nullptr }, getter<date> },
    { { "getDay",             "Date.prototype.getDay",             0, 15, 0, nullptr }, getter<weekDay> },
    { { "getUTCDay",          "Date.prototype.getUTCDay",          0, 16, 0, nullptr }, getter<weekDay> },
    { { "getHours",           "Date.prototype.getHours",           0, 17, 0, nullptr }, getter<hours> },
    { { "getUTCHours",        "Date.prototype.getUTCHours",        0, 18, 0, nullptr }, getter<hours> },
    { { "getMinutes",         "Date.prototype.getMinutes",         0, 19, 0, nullptr }, getter<minutes> },
    { { "getUTCMinutes",      "Date.prototype.getUTCMinutes",      0, 20, 0, nullptr }, getter<minutes> },
    { { "getSeconds",         "Date.prototype.getSeconds",         0, 21, 0, nullptr }, getter<seconds> },
    { { "getUTCSeconds",      "Date.prototype.getUTCSeconds",      0, 22, 0, nullptr }, getter<seconds> },
    { { "getMilliseconds",    "Date.prototype.getMilliseconds",    0, 23, 0, nullptr }, getter<milliseconds> },
    { { "getUTCMilliseconds", "Date.prototype.getUTCMilliseconds", 0, 24, 0, nullptr }, getter<milliseconds> },
    { { "getTimezoneOffset",  "Date.prototype.getTimezoneOffset",  0, 25, 0, nullptr }, getTimezoneOffset },
    { { "setTime",            "Date.prototype.setTime",            1, 26, 0, nullptr }, setTime },
    { { "setMilliseconds",    "Date.prototype.setMilliseconds",    1, 27, 0, nullptr }, setMilliseconds },
    { { "setUTCMilliseconds", "Date.prototype.setUTCMilliseconds", 1, 28, 0, nullptr }, setMilliseconds },
    { { "setSeconds",         "Date.prototype.setSeconds",         2, 29, 0, nullptr }, setSeconds },
    { { "setUTCSeconds",      "Date.prototype.setUTCSeconds",      2, 30, 0, nullptr }, setSeconds },
    { { "setMinutes",         "Date.prototype.setMinutes",         2, 31, 0, nullptr }, setMinutes },
    { { "setUTCMinutes",      "Date.prototype.setUTCMinutes",      3, 32, 0, nullptr }, setMinutes },
    { { "setHours",           "Date.prototype.setHours",           4, 33, 0, nullptr }, setHours },
    { { "setUTCHours",        "Date.prototype.setUTCHours",        4, 34, 0, nullptr }, setHours },
    { { "setDate",            "Date.prototype.setDate",            1, 35, 0, nullptr }, setDate },
    { { "setUTCDate",         "Date.prototype.setUTCDate",         1, 36, 0, nullptr }, setDate },
    { { "setMonth",           "Date.prototype.setMonth",           2, 37, 0, nullptr }, setMonth },
    { { "setUTCMonth",        "Date.prototype.setUTCMonth",        2, 38, 0, nullptr }, setMonth },
    { { "setFullYear",        "Date.prototype.setFullYear",        3, 39, 0, nullptr }, setFullYear },
    { { "setUTCFullYear",     "Date.prototype.setUTCFullYear",     3, 40, 0, nullptr }, setFullYear },
    { { "toUTCString",        "Date.prototype.toUTCString",        0, 41, 0, nullptr }, text<textOf> },
};
// clang-format on

// The time value of new Date(text): the forms toString and toDateString write, then ISO 8601;
// NaN otherwise.
double parseTime(const QString &text)
{
    const QString trimmed = text.trimmed();
    for (const Qt::DateFormat format : { Qt::TextDate, Qt::ISODate }) {
        const QDateTime parsed = QDateTime::fromString(trimmed, format);
        if (parsed.date().isValid() && parsed.time().isValid())
            return timeClip(timeValueOf(parsed));
    }
    const QDate day = QDate::fromString(trimmed, Qt::TextDate);
    return day.isValid() ? timeClip(double(day.toJulianDay()) * msPerDay) : esNaN;
}

// Years 0 to 99 given to the constructor are years of the 1900s, as scripts written for other
// engines expect; the setters take every year as it is.
double fullYearOf(double year)
{
    const double whole = std::trunc(year);
    return whole >= 0 && whole <= 99 ? 1900 + whole : year;
}

// new Date(value): a Date is copied exactly, a text is parsed, anything else is taken as a time
// value. new Date(year, month[, date[, hours[, minutes[, seconds[, ms]]]]]): local fields, the
// month counted from 0; a date that does not exist gives NaN.
double constructedTime(ESContext *cx, int count, const ESValue *arguments)
{
    if (count == 1) {
        if (isDateObject(cx, arguments[0]))
            return timeOf(arguments[0].asObject());
        const ESValue value = toPrimitive(cx, arguments[0], ESHint::Default);
        return value.isString() ? parseTime(value.text()) : timeClip(toNumber(cx, value));
    }
    double parts[7] = { 0, 0, 1, 0, 0, 0, 0 };
    for (int i = 0; i < count && i < 7; ++i)
        parts[i] = toNumber(cx, arguments[i]);
    return timeClip(makeDate(dayNumber(fullYearOf(parts[0]), parts[1], parts[2]),
            makeTime(parts[3], parts[4], parts[5], parts[6])));
}

} // namespace

void ESNativeDate::call(
        ESContext *cx, ESObject *function, ESObject *thisObject, int count, ESValue *arguments)
{
    callBuiltin(cx, methods, function, thisObject, count, arguments);
}

ESObject *ESNativeDate::construct(ESContext *cx, ESObject *function, int count, ESValue *arguments)
{
    if (function->nativeIndex != 0)
        throwPlainError(cx, QStringLiteral("bad signature in builtin construct"));
    ESObject *date = newObject(cx, cx->datePrototype, this);
    // new passes the arguments as written, so only new Date() means "now"; new Date(undefined)
    // is an Invalid Date.
    date->internalValue = numberValue(count == 0 ? timeValueOf(QDateTime::currentDateTime())
                                                 : constructedTime(cx, count, arguments));
    return date;
}

void ESNativeDate::setUp(ESContext *cx)
{
    ESObject *prototype = cx->datePrototype;
    newConstructor(cx, methods[0].row.entry(), prototype, this);
    defineProperty(cx, prototype, ReadOnly | DontEnum | DontDelete, names::length, numberValue(7));
    prototype->internalValue = numberValue(esNaN);
    for (std::size_t i = 1; i < std::size(methods); ++i)
        newNativeFunction(cx, prototype, methods[i].row.entry(), cx->functionPrototype, this);
}
