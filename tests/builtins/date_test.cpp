#include "builtins/timevalue.h"
#include "primitivetest.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// Local time follows TZ; each test names the zone it runs in and puts the old one back.
class DateTest : public PrimitiveTest
{
protected:
    void SetUp() override
    {
        const char *zone = std::getenv("TZ");
        hadZone = zone != nullptr;
        savedZone = zone ? zone : "";
        useZone("UTC");
    }
    void TearDown() override
    {
        if (hadZone)
            setenv("TZ", savedZone.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    void useZone(const char *zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }

    ESObject *newDate(std::initializer_list<ESValue> arguments)
    {
        std::vector<ESValue> values(arguments);
        return construct(cx, global("Date"), int(values.size()), values.data());
    }
    // new Date(y, m0, d, h, min, s, ms).
    ESObject *at(int y, int m0, int d, int h = 0, int min = 0, int s = 0, int ms = 0)
    {
        return newDate({ numberValue(y), numberValue(m0), numberValue(d), numberValue(h),
                numberValue(min), numberValue(s), numberValue(ms) });
    }
    ESValue method(ESObject *date, const char *name, std::initializer_list<ESValue> args = {})
    {
        return call(cx->datePrototype, name, objectValue(date), args);
    }
    double number(ESObject *date, const char *name, std::initializer_list<ESValue> args = {})
    {
        return method(date, name, args).asNumber();
    }
    // "2026-03-15 10:20:30.400 Sun", from the getters.
    std::string fields(ESObject *date)
    {
        if (std::isnan(number(date, "getTime")))
            return "NaN";
        static const char *const days[] = { "Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat" };
        return QStringLiteral("%1-%2-%3 %4:%5:%6.%7 %8")
                .arg(int(number(date, "getFullYear")))
                .arg(int(number(date, "getMonth")) + 1, 2, 10, QLatin1Char('0'))
                .arg(int(number(date, "getDate")), 2, 10, QLatin1Char('0'))
                .arg(int(number(date, "getHours")), 2, 10, QLatin1Char('0'))
                .arg(int(number(date, "getMinutes")), 2, 10, QLatin1Char('0'))
                .arg(int(number(date, "getSeconds")), 2, 10, QLatin1Char('0'))
                .arg(int(number(date, "getMilliseconds")), 3, 10, QLatin1Char('0'))
                .arg(QLatin1String(days[int(number(date, "getDay"))]))
                .toStdString();
    }

    bool hadZone = false;
    std::string savedZone;
};

TEST_F(DateTest, TimeValueCountsFromJulianDayZero)
{
    // 1 January 2026 is Julian day 2461042.
    EXPECT_EQ(at(2026, 0, 1)->internalValue.asNumber(), 2461042.0 * 86400000);
    EXPECT_EQ(at(2026, 0, 1, 10, 20, 30, 400)->internalValue.asNumber(),
            2461042.0 * 86400000 + 37230400);
    ESValue none;
    const double now = construct(cx, global("Date"), 0, nullptr)->internalValue.asNumber();
    EXPECT_GT(now, 2.1e14);
    EXPECT_LT(now, 2.3e14);
    const double padded = construct(cx, global("Date"), 1, &none)->internalValue.asNumber();
    EXPECT_NEAR(padded, now, 60000);
    // Julian day 0 is a Monday in 4714 BC; QDate has no year 0, so 1 BC is year -1.
    const struct
    {
        double day;
        const char *fields;
    } rows[] = {
        { 0, "-4714-11-24 00:00:00.000 Mon" }, { 1721425, "-1-12-31 00:00:00.000 Sun" },
        { 1721426, "1-01-01 00:00:00.000 Mon" },
        { 2299160, "1582-10-14 00:00:00.000 Thu" }, // the Gregorian calendar runs on backwards
    };
    for (const auto &row : rows) {
        ESObject *date = newDate({ numberValue(row.day * 86400000) });
        EXPECT_EQ(fields(date), row.fields) << row.day;
        EXPECT_EQ(number(date, "getTime"), row.day * 86400000);
    }
}

TEST_F(DateTest, GettersReadTheLocalFields)
{
    const struct
    {
        int y, m0, d;
        const char *fields;
    } rows[] = {
        { 2026, 0, 4, "2026-01-04 00:00:00.000 Sun" }, // Sunday is 0
        { 2026, 0, 10, "2026-01-10 00:00:00.000 Sat" }, // Saturday is 6
        { 2024, 1, 29, "2024-02-29 00:00:00.000 Thu" }, // leap day
        { 2000, 1, 29, "2000-02-29 00:00:00.000 Tue" },
        { 1900, 1, 29, "NaN" }, // 1900 is no leap year
        { 2026, 3, 31, "NaN" },
        { 2026, 12, 1, "NaN" }, // months do not roll over into the next year
        { 2026, 11, 31, "2026-12-31 00:00:00.000 Thu" },
    };
    for (const auto &row : rows)
        EXPECT_EQ(fields(at(row.y, row.m0, row.d)), row.fields) << row.y << "/" << row.m0;

    ESObject *date = at(2026, 2, 15, 10, 20, 30, 400);
    EXPECT_EQ(fields(date), "2026-03-15 10:20:30.400 Sun");
    const char *const twins[][2] = { { "getHours", "getUTCHours" }, { "getDate", "getUTCDate" },
        { "getMonth", "getUTCMonth" }, { "getDay", "getUTCDay" },
        { "getMilliseconds", "getUTCMilliseconds" } };
    for (const auto &twin : twins)
        EXPECT_EQ(number(date, twin[0]), number(date, twin[1])) << twin[1];
    EXPECT_EQ(number(date, "getTimezoneOffset"), 0);
    EXPECT_EQ(number(date, "valueOf"), date->internalValue.asNumber());
}

TEST_F(DateTest, Setters)
{
    const struct
    {
        const char *name;
        std::initializer_list<ESValue> arguments;
        const char *fields;
    } rows[] = {
        { "setMilliseconds", { numberValue(250) }, "2026-03-15 10:20:30.250 Sun" },
        { "setSeconds", { numberValue(10), numberValue(500) }, "2026-03-15 10:20:10.500 Sun" },
        { "setSeconds", { numberValue(10) }, "2026-03-15 10:20:10.400 Sun" },
        { "setMinutes", { numberValue(5), numberValue(7) }, "2026-03-15 10:05:07.400 Sun" },
        { "setMinutes", { numberValue(5), numberValue(7), numberValue(9) },
                "2026-03-15 10:05:07.009 Sun" },
        { "setUTCMinutes", { numberValue(5) }, "2026-03-15 10:05:30.400 Sun" },
        { "setHours", { numberValue(1), numberValue(2), numberValue(3), numberValue(4) },
                "2026-03-15 01:02:03.004 Sun" },
        { "setHours", { numberValue(25) }, "2026-03-16 01:20:30.400 Mon" }, // time rolls days
        { "setHours", { numberValue(-1) }, "2026-03-14 23:20:30.400 Sat" },
        { "setDate", { numberValue(1) }, "2026-03-01 10:20:30.400 Sun" },
        { "setDate", { numberValue(31) }, "2026-03-31 10:20:30.400 Tue" },
        { "setDate", { numberValue(32) }, "NaN" },
        { "setDate", { numberValue(0) }, "NaN" },
        { "setUTCDate", { numberValue(15.9) }, "2026-03-15 10:20:30.400 Sun" },
        { "setMonth", { numberValue(0), numberValue(1) }, "2026-01-01 10:20:30.400 Thu" },
        { "setMonth", { numberValue(1) }, "2026-02-15 10:20:30.400 Sun" },
        { "setMonth", { numberValue(1), numberValue(29) }, "NaN" },
        { "setFullYear", { numberValue(2024), numberValue(1), numberValue(29) },
                "2024-02-29 10:20:30.400 Thu" },
        { "setUTCFullYear", { numberValue(2027) }, "2027-03-15 10:20:30.400 Mon" },
        { "setFullYear", { numberValue(esInfinity) }, "NaN" },
        { "setFullYear", { numberValue(1e10) }, "NaN" },
        { "setMilliseconds", {}, "NaN" },
        { "setMilliseconds", { text("12") }, "2026-03-15 10:20:30.012 Sun" },
    };
    for (const auto &row : rows) {
        ESObject *date = at(2026, 2, 15, 10, 20, 30, 400);
        const ESValue result = method(date, row.name, row.arguments);
        EXPECT_EQ(fields(date), row.fields) << row.name;
        EXPECT_TRUE(result.isNumber());
        EXPECT_EQ(std::isnan(result.asNumber()), std::isnan(date->internalValue.asNumber()));
    }
    // Setters start from the time value rebuilt from its fields, so fractions are dropped.
    ESObject *fraction = newDate({ numberValue(2461042.0 * 86400000 + 0.75) });
    EXPECT_EQ(number(fraction, "getTime"), 2461042.0 * 86400000);
    method(fraction, "setSeconds", { numberValue(1) });
    EXPECT_EQ(number(fraction, "valueOf"), 2461042.0 * 86400000 + 1000);
}

TEST_F(DateTest, UnreadableTimeValues)
{
    for (double t : { esNaN, esInfinity, -esInfinity, -1.0, 8.64e15 + 1 }) {
        ESObject *date = newDate({ numberValue(0) });
        date->internalValue = numberValue(t);
        EXPECT_EQ(show(method(date, "toString")), "Invalid Date") << t;
        EXPECT_EQ(show(method(date, "toTimeString")), "Invalid Date") << t;
        EXPECT_TRUE(std::isnan(number(date, "getFullYear"))) << t;
        EXPECT_TRUE(std::isnan(number(date, "getTime"))) << t;
        EXPECT_TRUE(std::isnan(number(date, "setDate", { numberValue(1) }))) << t;
    }
    ESObject *date = newDate({ numberValue(0) });
    EXPECT_TRUE(std::isnan(number(date, "setTime", { numberValue(8.64e15 + 1) })));
    EXPECT_EQ(number(date, "setTime", { numberValue(8.64e15) }), 8.64e15);
    EXPECT_EQ(show(method(date, "toDateString")), "Wed Aug 7 269078");
    EXPECT_TRUE(std::isnan(newDate({ text("not a date") })->internalValue.asNumber()));
    EXPECT_TRUE(std::isnan(
            newDate({ numberValue(2026), numberValue(esNaN) })->internalValue.asNumber()));
    // -0 and the lack of a lower bound in timeClip.
    EXPECT_FALSE(std::signbit(number(date, "setTime", { numberValue(-0.0) })));
    EXPECT_EQ(number(date, "setTime", { numberValue(-1e300) }), -1e300);
}

TEST_F(DateTest, TextForms)
{
    ESObject *date = at(2026, 0, 4, 9, 5, 3, 250);
    EXPECT_EQ(show(method(date, "toString")), "Sun Jan 4 09:05:03 2026");
    EXPECT_EQ(show(method(date, "toLocaleString")), "Sun Jan 4 09:05:03 2026");
    EXPECT_EQ(show(method(date, "toUTCString")), "Sun Jan 4 09:05:03 2026");
    EXPECT_EQ(show(method(date, "toDateString")), "Sun Jan 4 2026");
    EXPECT_EQ(show(method(date, "toLocaleDateString")), "Sun Jan 4 2026");
    EXPECT_EQ(show(method(date, "toTimeString")), "09:05:03");
    EXPECT_EQ(show(method(date, "toLocaleTimeString")), "09:05:03");
    // Texts read back as the time value, milliseconds aside.
    const ESObject *parsed = newDate({ text("Sun Jan 4 09:05:03 2026") });
    EXPECT_EQ(parsed->internalValue.asNumber(), date->internalValue.asNumber() - 250);
    EXPECT_EQ(newDate({ text("2026-01-04T09:05:03") })->internalValue.asNumber(),
            parsed->internalValue.asNumber());
}

TEST_F(DateTest, DaylightSavingChangesNothing)
{
    for (const char *zone : { "Europe/Berlin", "America/New_York" }) {
        useZone(zone);
        // 02:30 does not exist on the spring change in Berlin; in New York the change falls
        // on 8 March. Both wall-clock times keep their fields and their text.
        const struct
        {
            int y, m0, d;
            const char *text;
        } rows[] = {
            { 2026, 2, 29, "Sun Mar 29 02:30:00 2026" },
            { 2026, 9, 25, "Sun Oct 25 02:30:00 2026" },
            { 2026, 2, 8, "Sun Mar 8 02:30:00 2026" },
            { 2026, 10, 1, "Sun Nov 1 02:30:00 2026" },
        };
        for (const auto &row : rows) {
            ESObject *date = at(row.y, row.m0, row.d, 2, 30);
            EXPECT_EQ(show(method(date, "toString")), row.text) << zone;
            EXPECT_EQ(number(date, "getHours"), 2) << zone << " " << row.text;
            EXPECT_EQ(number(date, "getTime"), date->internalValue.asNumber()) << zone;
            method(date, "setMinutes", { numberValue(45) });
            EXPECT_EQ(number(date, "getHours"), 2) << zone;
            EXPECT_EQ(number(date, "getTimezoneOffset"), 0) << zone;
        }
        // An hour added across the change is one hour of wall-clock time.
        ESObject *date = at(2026, 2, 29, 1, 30);
        method(date, "setHours", { numberValue(3) });
        EXPECT_EQ(fields(date), "2026-03-29 03:30:00.000 Sun") << zone;
    }
}

TEST_F(DateTest, ThisChecksAndSignatures)
{
    ESObject *plain = newObject(cx, cx->objectPrototype, cx->objectClass);
    EXPECT_EQ(errorMessage([&] { method(plain, "getTime"); }), "Date object required");
    EXPECT_EQ(errorMessage([&] { method(plain, "toString"); }), "Date object required");
    EXPECT_EQ(errorMessage([&] { method(plain, "setHours", { numberValue(1) }); }),
            "Date object required");
    // setTime and getTimezoneOffset work on any object.
    EXPECT_EQ(number(plain, "setTime", { numberValue(42) }), 42);
    EXPECT_EQ(plain->internalValue.asNumber(), 42);
    EXPECT_EQ(number(plain, "getTimezoneOffset"), 0);

    ESValue result;
    EXPECT_EQ(errorMessage([&] {
        invokeFunction(cx, global("Date"), cx->globalObject, 0, nullptr, result);
    }),
            "bad signature in builtin call");
    EXPECT_EQ(
            errorMessage([&] { construct(cx, function(cx->datePrototype, "getDay"), 0, nullptr); }),
            "bad signature in builtin construct");
    ESObject *getDay = function(cx->datePrototype, "getDay");
    getDay->nativeIndex = 42;
    EXPECT_EQ(errorMessage([&] { method(at(2026, 0, 1), "getDay"); }),
            "bad signature in builtin call");
}

} // namespace
