// The Date constructor's forms: no argument (now), a time value, a Date, a text, and year,
// month[, date[, hours[, minutes[, seconds[, ms]]]]] with years 0 to 99 in the 1900s; the
// constructor's and prototype's properties; and the errors of calls without new, new on a
// method and methods applied to other objects.
// env: TZ=UTC
// status: 1
function p(x) { WScript.Echo(x + "\n"); }
function fail(f) {
    try {
        f();
        p("no error");
    } catch (e) {
        p(e.name + ": " + e.message);
    }
}
var now = (new Date()).getTime();
p((now > 2.1266e14 && now < 2.3e14) + " " + ((new Date()).getFullYear() >= 2026));

p((new Date(2026, 0, 1)).valueOf() + " " + (new Date(2026, 0)).valueOf() + " "
    + (new Date(2026, 0, 1, 0, 0, 0, 0, 99)).valueOf() + " " + (new Date("2026", "0", "1")).valueOf());
p((new Date(2026, 0, 1, 10, 20, 30, 400)).valueOf() + " " + (new Date(2026, 0, 1.9, 1.5)).valueOf());
p((new Date(2026, 0, 1, 24)).valueOf() + " " + (new Date(2026, 0, 1, -1)).valueOf());
p((new Date(2026, NaN)).valueOf() + " " + (new Date(2026, 0, 1, Infinity)).valueOf() + " "
    + (new Date(2026, 1, 29)).valueOf() + " " + (new Date(2026, 0, 0)).valueOf());

p((new Date(0, 0, 1)).toDateString() + " / " + (new Date(99, 11, 31)).toDateString() + " / "
    + (new Date(99.5, 0, 1)).toDateString() + " / " + (new Date(100, 0, 1)).toDateString()
    + " / " + (new Date(-1, 0, 1)).toDateString() + " / " + (new Date(1899, 0, 1)).toDateString());

var withMs = new Date(2026, 0, 1, 0, 0, 0, 250);
p((new Date(212634028800000)).valueOf() + " " + (new Date(withMs)).getMilliseconds() + " "
    + (new Date(true)).valueOf() + " " + (new Date(null)).valueOf() + " "
    + (new Date("212634028800000")).valueOf() + " " + (new Date({ valueOf: function() { return 5; } })).valueOf());
p((new Date(undefined)).valueOf() + " " + (new Date(NaN)).valueOf() + " "
    + (new Date(Infinity)).valueOf() + " " + (new Date(-1)).valueOf() + " "
    + (new Date(8.64e15)).valueOf() + " " + (new Date(8.64e15 + 1)).valueOf());

p(Date.length + " " + Date.prototype.length + " " + Date.prototype.setMinutes.length + " "
    + Date.prototype.setUTCMinutes.length + " " + Date.prototype.setHours.length + " "
    + Date.prototype.toString.length);
Date.prototype.length = 3;
var listed = 0;
for (var name in Date.prototype)
    listed++;
p(Date.prototype.length + " " + (delete Date.prototype.length) + " " + listed + " "
    + typeof Date.parse + " " + typeof Date.UTC + " " + typeof Date.prototype.toGMTString);

var classed = new Date(0);
classed.classText = Object.prototype.toString;
p(classed.classText() + " " + (Date.prototype.constructor == Date) + " " + typeof classed);

fail(function() { Date(); });
fail(function() { Date(2026, 0, 1); });
// Methods carry no construct field, so new stops at the machine before the Date class sees it.
var getTime = Date.prototype.getTime;
fail(function() { new getTime(); });
var plain = new Object();
plain.getTime = Date.prototype.getTime;
plain.toString = Date.prototype.toString;
plain.getDay = Date.prototype.getDay;
plain.setHours = Date.prototype.setHours;
plain.setTime = Date.prototype.setTime;
plain.getTimezoneOffset = Date.prototype.getTimezoneOffset;
fail(function() { plain.getTime(); });
fail(function() { plain.toString(); });
fail(function() { plain.getDay(); });
// A setter converts its first argument before it looks at the object.
fail(function() { plain.setHours({ valueOf: function() { p("converted"); return 1; } }); });
p(plain.setTime(42) + " " + plain.getTimezoneOffset());
fail(function() { plain.getTime(); });
Date();
p("not reached");
/*===
true true
212634028800000 212634028800000 212634028800000 212634028800000
212634066030400 212634032400000
212634115200000 212634025200000
NaN Infinity NaN NaN
Mon Jan 1 1900 / Fri Dec 31 1999 / Fri Jan 1 1999 / Fri Jan 1 0100 / Sat Jan 1 -001 / Sun Jan 1 1899
212634028800000 250 1 0 NaN 5
NaN NaN Infinity -1 8640000000000000 NaN
1 7 2 3 4 0
7 false 0 undefined undefined undefined
[object Date] true object
Error: bad signature in builtin call
Error: bad signature in builtin call
TypeError: new must be given a constructor object
TypeError: Date object required
TypeError: Date object required
TypeError: Date object required
converted
TypeError: Date object required
42 0
TypeError: Date object required
===*/
/*=== stderr
error: bad signature in builtin call
===*/
