// Date getters read the calendar fields of the time value (milliseconds from the start of Julian
// day 0): weekdays, month ends, leap years, dates before 1970, the two ends of the range, and NaN
// from every getter of an Invalid Date.
// env: TZ=UTC
function two(n) { return (n < 10 ? "0" : "") + n; }
function three(n) { return (n < 10 ? "00" : n < 100 ? "0" : "") + n; }
function fields(d) {
    return d.getFullYear() + "-" + two(d.getMonth() + 1) + "-" + two(d.getDate()) + " "
        + two(d.getHours()) + ":" + two(d.getMinutes()) + ":" + two(d.getSeconds()) + "."
        + three(d.getMilliseconds()) + " day " + d.getDay();
}
function utcFields(d) {
    return d.getUTCFullYear() + "-" + two(d.getUTCMonth() + 1) + "-" + two(d.getUTCDate()) + " "
        + two(d.getUTCHours()) + ":" + two(d.getUTCMinutes()) + ":" + two(d.getUTCSeconds()) + "."
        + three(d.getUTCMilliseconds()) + " day " + d.getUTCDay();
}
function show(d) {
    if (isNaN(d.getTime())) {
        WScript.Echo("NaN\n");
        return;
    }
    var utc = utcFields(d) == fields(d) ? "" : " UTC " + utcFields(d);
    WScript.Echo(d.valueOf() + " " + fields(d) + utc + " offset " + d.getTimezoneOffset() + "\n");
}
show(new Date(2026, 0, 4));           // a Sunday
show(new Date(2026, 0, 10));          // a Saturday
show(new Date(2026, 0, 31, 23, 59, 59, 999));
show(new Date(2026, 1, 1));
show(new Date(2026, 1, 28, 12));
show(new Date(2026, 1, 29));          // 2026 is no leap year
show(new Date(2024, 1, 29, 6, 7, 8, 9));
show(new Date(2000, 1, 29));
show(new Date(1900, 1, 28));
show(new Date(1900, 1, 29));          // nor is 1900
show(new Date(2026, 3, 31));          // April has 30 days
show(new Date(2026, 11, 31, 23, 59, 59, 999));
show(new Date(2026, 12, 1));          // months do not roll over into the next year
show(new Date(2026, -1, 1));
show(new Date(1969, 11, 31, 23, 59, 59, 999));
show(new Date(1970, 0, 1));
show(new Date(1582, 9, 14));          // the Gregorian calendar runs on backwards
show(new Date(1721426 * 86400000));   // 1 January of year 1
show(new Date(1721425 * 86400000));   // the day before is in 1 BC, year -1
show(new Date(0));                    // Julian day 0, a Monday
show(new Date(8.64e15 - 1));
show(new Date(8.64e15));              // the last time value there is
show(new Date(8.64e15 + 1));

// getTime rebuilds the time value from its fields; valueOf answers it as stored.
var fraction = new Date(212634028800000.75);
WScript.Echo((fraction.valueOf() - 212634028800000) + " " + fraction.getTime() + "\n");

var getters = ["valueOf", "getTime", "getFullYear", "getUTCFullYear", "getMonth", "getUTCMonth",
    "getDate", "getUTCDate", "getDay", "getUTCDay", "getHours", "getUTCHours", "getMinutes",
    "getUTCMinutes", "getSeconds", "getUTCSeconds", "getMilliseconds", "getUTCMilliseconds",
    "getTimezoneOffset"];
// Below Julian day 0 a time value is kept (there is no lower bound) but has no calendar reading.
var invalid = [new Date(NaN), new Date(Infinity), new Date(-Infinity), new Date(-1),
    new Date(-8.64e15 - 1), new Date(8.64e15 + 1), new Date("not a date"), new Date(2026, 0, NaN), new Date(undefined),
    Date.prototype];
for (var i = 0; i < invalid.length; i++) {
    var line = "";
    for (var j = 0; j < getters.length; j++)
        line += " " + invalid[i][getters[j]]();
    WScript.Echo(line + "\n");
}
/*===
212634288000000 2026-01-04 00:00:00.000 day 0 offset 0
212634806400000 2026-01-10 00:00:00.000 day 6 offset 0
212636707199999 2026-01-31 23:59:59.999 day 6 offset 0
212636707200000 2026-02-01 00:00:00.000 day 0 offset 0
212639083200000 2026-02-28 12:00:00.000 day 6 offset 0
NaN
212575990028009 2024-02-29 06:07:08.009 day 4 offset 0
211818585600000 2000-02-29 00:00:00.000 day 2 offset 0
208662825600000 1900-02-28 00:00:00.000 day 3 offset 0
NaN
NaN
212665564799999 2026-12-31 23:59:59.999 day 4 offset 0
NaN
NaN
210866803199999 1969-12-31 23:59:59.999 day 3 offset 0
210866803200000 1970-01-01 00:00:00.000 day 4 offset 0
198647424000000 1582-10-14 00:00:00.000 day 4 offset 0
148731206400000 1-01-01 00:00:00.000 day 1 offset 0
148731120000000 -1-12-31 00:00:00.000 day 0 offset 0
0 -4714-11-24 00:00:00.000 day 1 offset 0
8639999999999999 269078-08-06 23:59:59.999 day 2 offset 0
8640000000000000 269078-08-07 00:00:00.000 day 3 offset 0
NaN
0.75 212634028800000
 NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN 0
 Infinity NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN 0
 -Infinity NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN 0
 -1 NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN 0
 -8640000000000001 NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN 0
 NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN 0
 NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN 0
 NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN 0
 NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN 0
 NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN NaN 0
===*/
