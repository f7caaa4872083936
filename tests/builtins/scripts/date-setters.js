// Date setters: each field with its optional arguments (an omitted one keeps the field), NaN
// arguments, calendar dates that do not exist (nothing rolls over into the next month), times
// that run into the next or previous day, Feb 29, and the ends of the range.
// env: TZ=UTC
function two(n) { return (n < 10 ? "0" : "") + n; }
function three(n) { return (n < 10 ? "00" : n < 100 ? "0" : "") + n; }
function fields(d) {
    if (isNaN(d.getTime()))
        return "NaN";
    return d.getFullYear() + "-" + two(d.getMonth() + 1) + "-" + two(d.getDate()) + " "
        + two(d.getHours()) + ":" + two(d.getMinutes()) + ":" + two(d.getSeconds()) + "."
        + three(d.getMilliseconds()) + " day " + d.getDay();
}
// The result of a setter is the time value it stored.
function show(what, result, d) {
    var same = result == d.valueOf() || isNaN(result) && isNaN(d.valueOf());
    WScript.Echo(what + ": " + fields(d) + (same ? "" : " but answered " + result) + "\n");
}
var d;
function base() { d = new Date(2026, 2, 15, 10, 20, 30, 400); return d; }

show("setMilliseconds(250)", base().setMilliseconds(250), d);
show("setMilliseconds()", base().setMilliseconds(), d);
show("setMilliseconds(NaN)", base().setMilliseconds(NaN), d);
show("setMilliseconds(\"12\")", base().setMilliseconds("12"), d);
show("setUTCMilliseconds(1000)", base().setUTCMilliseconds(1000), d);
show("setUTCMilliseconds(-1)", base().setUTCMilliseconds(-1), d);
show("setSeconds(10, 500)", base().setSeconds(10, 500), d);
show("setSeconds(10)", base().setSeconds(10), d);
show("setSeconds(10, NaN)", base().setSeconds(10, NaN), d);
show("setUTCSeconds(60)", base().setUTCSeconds(60), d);
show("setMinutes(5, 7)", base().setMinutes(5, 7), d);
show("setMinutes(5)", base().setMinutes(5), d);
show("setMinutes(5, 7, 9)", base().setMinutes(5, 7, 9), d);
show("setUTCMinutes(5)", base().setUTCMinutes(5), d);
show("setUTCMinutes(5, 7)", base().setUTCMinutes(5, 7), d);
show("setUTCMinutes(5, 7, 9)", base().setUTCMinutes(5, 7, 9), d);
show("setMinutes(-1)", base().setMinutes(-1), d);
show("setHours(1, 2, 3, 4)", base().setHours(1, 2, 3, 4), d);
show("setHours(1)", base().setHours(1), d);
show("setHours(25)", base().setHours(25), d);
show("setHours(-1)", base().setHours(-1), d);
show("setUTCHours(23, 59, 59, 999)", base().setUTCHours(23, 59, 59, 999), d);
show("setHours(NaN)", base().setHours(NaN), d);
show("setHours(1, NaN)", base().setHours(1, NaN), d);
show("setHours(1.9, 2.9)", base().setHours(1.9, 2.9), d);
show("setDate(1)", base().setDate(1), d);
show("setDate(31)", base().setDate(31), d);
show("setDate(32)", base().setDate(32), d);
show("setDate(0)", base().setDate(0), d);
show("setDate()", base().setDate(), d);
show("setUTCDate(15.9)", base().setUTCDate(15.9), d);
show("setMonth(0, 1)", base().setMonth(0, 1), d);
show("setMonth(1)", base().setMonth(1), d);
show("setMonth(1, 29)", base().setMonth(1, 29), d);
show("setMonth(12)", base().setMonth(12), d);
show("setMonth(-1)", base().setMonth(-1), d);
show("setUTCMonth(11, 31)", base().setUTCMonth(11, 31), d);
show("setFullYear(2024, 1, 29)", base().setFullYear(2024, 1, 29), d);
show("setUTCFullYear(2027)", base().setUTCFullYear(2027), d);
show("setFullYear(99)", base().setFullYear(99), d);   // no 1900s here
show("setFullYear(0)", base().setFullYear(0), d);     // there is no year 0
show("setFullYear(-1)", base().setFullYear(-1), d);
show("setFullYear(Infinity)", base().setFullYear(Infinity), d);
show("setFullYear(1e10)", base().setFullYear(1e10), d);
show("setFullYear(2026, NaN)", base().setFullYear(2026, NaN), d);
show("setMonth(2147483647)", base().setMonth(2147483647), d);
show("setDate(-2147483649)", base().setDate(-2147483649), d);
show("setFullYear(2147483647)", base().setFullYear(2147483647), d);

// The 31st of a month and Feb 29 do not move to the next month when the month or year changes.
d = new Date(2026, 0, 31, 8);
show("31 January setMonth(1)", d.setMonth(1), d);
d = new Date(2024, 1, 29, 8);
show("Feb 29 setFullYear(2025)", d.setFullYear(2025), d);
d = new Date(2024, 1, 29, 8);
show("Feb 29 setFullYear(2028)", d.setFullYear(2028), d);
d = new Date(2024, 1, 29, 8);
show("Feb 29 setFullYear(1900)", d.setFullYear(1900), d);
d = new Date(2024, 1, 28, 8);
show("Feb 28 2024 setDate(29)", d.setDate(29), d);
d = new Date(2023, 1, 28, 8);
show("Feb 28 2023 setDate(29)", d.setDate(29), d);
d = new Date(2024, 1, 29, 23, 59, 59, 999);
show("Feb 29 setMilliseconds(1000)", d.setMilliseconds(1000), d);

// setTime stores any number as it is, clipped only above the largest time value.
d = new Date(2026, 0, 1);
WScript.Echo(d.setTime(0) + " " + d.setTime(8.64e15) + " " + d.setTime(8.64e15 + 1) + " "
    + d.setTime(-1) + " " + 1 / d.setTime(-0) + " " + d.setTime("1000") + " " + d.setTime()
    + " " + d.setTime(Infinity) + "\n");
// Setters work from the time value rebuilt from its fields: fractions of a millisecond go.
d = new Date(212634028800000.75);
WScript.Echo(d.setSeconds(1) + "\n");
// The ends of the range: a result past the largest time value is NaN; below Julian day 0 the
// value is kept but has no calendar reading.
d = new Date(8.64e15);
WScript.Echo(d.setHours(0) + " " + d.setMilliseconds(1) + "\n");
d = new Date(2026, 7, 7);
WScript.Echo(d.setFullYear(269078) + " " + d.setDate(8) + "\n");
d = new Date(2026, 10, 24, 10);
WScript.Echo(d.setFullYear(-4714) + " " + fields(d) + "\n");
d = new Date(2026, 10, 24, 10);
WScript.Echo(d.setFullYear(-4714, 10, 23) + " " + fields(d) + "\n");
d = new Date(0);
WScript.Echo(d.setHours(-1) + " " + fields(d) + "\n");
// An Invalid Date stays invalid through every setter but setTime.
d = new Date(NaN);
WScript.Echo(d.setMilliseconds(1) + " " + d.setHours(1) + " " + d.setDate(1) + " "
    + d.setFullYear(2026, 0, 1) + " " + d.setTime(212634028800000) + " " + fields(d) + "\n");
/*===
setMilliseconds(250): 2026-03-15 10:20:30.250 day 0
setMilliseconds(): NaN
setMilliseconds(NaN): NaN
setMilliseconds("12"): 2026-03-15 10:20:30.012 day 0
setUTCMilliseconds(1000): 2026-03-15 10:20:31.000 day 0
setUTCMilliseconds(-1): 2026-03-15 10:20:29.999 day 0
setSeconds(10, 500): 2026-03-15 10:20:10.500 day 0
setSeconds(10): 2026-03-15 10:20:10.400 day 0
setSeconds(10, NaN): NaN
setUTCSeconds(60): 2026-03-15 10:21:00.400 day 0
setMinutes(5, 7): 2026-03-15 10:05:07.400 day 0
setMinutes(5): 2026-03-15 10:05:30.400 day 0
setMinutes(5, 7, 9): 2026-03-15 10:05:07.009 day 0
setUTCMinutes(5): 2026-03-15 10:05:30.400 day 0
setUTCMinutes(5, 7): 2026-03-15 10:05:07.400 day 0
setUTCMinutes(5, 7, 9): 2026-03-15 10:05:07.009 day 0
setMinutes(-1): 2026-03-15 09:59:30.400 day 0
setHours(1, 2, 3, 4): 2026-03-15 01:02:03.004 day 0
setHours(1): 2026-03-15 01:20:30.400 day 0
setHours(25): 2026-03-16 01:20:30.400 day 1
setHours(-1): 2026-03-14 23:20:30.400 day 6
setUTCHours(23, 59, 59, 999): 2026-03-15 23:59:59.999 day 0
setHours(NaN): NaN
setHours(1, NaN): NaN
setHours(1.9, 2.9): 2026-03-15 01:02:30.400 day 0
setDate(1): 2026-03-01 10:20:30.400 day 0
setDate(31): 2026-03-31 10:20:30.400 day 2
setDate(32): NaN
setDate(0): NaN
setDate(): NaN
setUTCDate(15.9): 2026-03-15 10:20:30.400 day 0
setMonth(0, 1): 2026-01-01 10:20:30.400 day 4
setMonth(1): 2026-02-15 10:20:30.400 day 0
setMonth(1, 29): NaN
setMonth(12): NaN
setMonth(-1): NaN
setUTCMonth(11, 31): 2026-12-31 10:20:30.400 day 4
setFullYear(2024, 1, 29): 2024-02-29 10:20:30.400 day 4
setUTCFullYear(2027): 2027-03-15 10:20:30.400 day 1
setFullYear(99): 99-03-15 10:20:30.400 day 0
setFullYear(0): NaN
setFullYear(-1): -1-03-15 10:20:30.400 day 3
setFullYear(Infinity): NaN
setFullYear(1e10): NaN
setFullYear(2026, NaN): NaN
setMonth(2147483647): NaN
setDate(-2147483649): NaN
setFullYear(2147483647): NaN
31 January setMonth(1): NaN
Feb 29 setFullYear(2025): NaN
Feb 29 setFullYear(2028): 2028-02-29 08:00:00.000 day 2
Feb 29 setFullYear(1900): NaN
Feb 28 2024 setDate(29): 2024-02-29 08:00:00.000 day 4
Feb 28 2023 setDate(29): NaN
Feb 29 setMilliseconds(1000): 2024-03-01 00:00:00.000 day 5
0 8640000000000000 NaN -1 Infinity 1000 NaN Infinity
212634028801000
8640000000000000 NaN
8640000000000000 NaN
36000000 -4714-11-24 10:00:00.000 day 1
-50400000 NaN
-3600000 NaN
NaN NaN NaN NaN 212634028800000 2026-01-01 00:00:00.000 day 4
===*/
