// Dates are local wall-clock dates and times with no zone arithmetic: in a zone with daylight
// saving, the hour skipped in spring and the hour repeated in autumn keep their fields, text and
// time value, hours across a change are wall-clock hours, and the offset is 0 on both sides.
// The current time is the process's local time, as the date program shows it in the same zone.
// env: TZ=Europe/Berlin
function two(n) { return (n < 10 ? "0" : "") + n; }
function show(d) {
    WScript.Echo(d.valueOf() + " " + d.toString() + " " + d.toTimeString() + " " + d.getHours()
        + ":" + two(d.getMinutes()) + " offset " + d.getTimezoneOffset() + "\n");
}
var skipped = new Date(2026, 2, 29, 2, 30);
show(skipped);
show(new Date(skipped.toString()));
show(new Date("2026-03-29T02:30:00"));
var d = new Date(2026, 2, 29, 1, 30);
d.setHours(2);
show(d);
d.setMinutes(59, 59);
show(d);
show(new Date(2026, 2, 29, 3, 0));
var repeated = new Date(2026, 9, 25, 2, 30);
show(repeated);
show(new Date(2026, 9, 25, 3, 0));
show(new Date(2026, 6, 1, 12));
WScript.Echo(((new Date(2026, 2, 29, 3)) - (new Date(2026, 2, 29, 1))) + " "
    + ((new Date(2026, 9, 25, 3)) - (new Date(2026, 9, 25, 2))) + "\n");
show(new Date(0));
show(new Date(8.64e15));

// Read the clock on both sides of the date program; a minute that turns over in between is
// read again.
var agreed = "no reading";
for (var i = 0; i < 5; i++) {
    var before = new Date();
    QVSys.run("date +%Y-%m-%d_%H:%M", true);
    var after = new Date();
    var ours = before.getFullYear() + "-" + two(before.getMonth() + 1) + "-" + two(before.getDate())
        + "_" + two(before.getHours()) + ":" + two(before.getMinutes());
    if (before.getMinutes() == after.getMinutes()) {
        agreed = ours == QVSys.getRunStdout() ? "local time agrees" : ours + " != " + QVSys.getRunStdout();
        break;
    }
}
WScript.Echo(agreed + "\n");
/*===
212641554600000 Sun Mar 29 02:30:00 2026 02:30:00 2:30 offset 0
212641554600000 Sun Mar 29 02:30:00 2026 02:30:00 2:30 offset 0
212641554600000 Sun Mar 29 02:30:00 2026 02:30:00 2:30 offset 0
212641554600000 Sun Mar 29 02:30:00 2026 02:30:00 2:30 offset 0
212641556399000 Sun Mar 29 02:59:59 2026 02:59:59 2:59 offset 0
212641556400000 Sun Mar 29 03:00:00 2026 03:00:00 3:00 offset 0
212659698600000 Sun Oct 25 02:30:00 2026 02:30:00 2:30 offset 0
212659700400000 Sun Oct 25 03:00:00 2026 03:00:00 3:00 offset 0
212649710400000 Wed Jul 1 12:00:00 2026 12:00:00 12:00 offset 0
7200000 3600000
0 Mon Nov 24 00:00:00 -4714 00:00:00 0:00 offset 0
8640000000000000 Wed Aug 7 00:00:00 269078 00:00:00 0:00 offset 0
local time agrees
===*/
