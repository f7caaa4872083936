// The same wall-clock rules west of UTC: 02:30 on 8 March 2026 does not exist in New York and
// 01:30 on 1 November comes twice; setters moving a date onto those days keep the time of day.
// env: TZ=America/New_York
function show(d) {
    WScript.Echo(d.valueOf() + " " + d.toString() + " offset " + d.getTimezoneOffset() + "\n");
}
show(new Date(2026, 2, 8, 2, 30));
var d = new Date(2026, 2, 7, 2, 30);
d.setDate(8);
show(d);
show(new Date(2026, 2, 8, 1, 59, 59));
show(new Date(2026, 2, 8, 3));
show(new Date(2026, 10, 1, 1, 30));
d = new Date(2026, 9, 1, 1, 30);
d.setMonth(10);
show(d);
show(new Date(2026, 10, 1, 2));
WScript.Echo(((new Date(2026, 10, 1, 2)) - (new Date(2026, 10, 1, 1))) + "\n");
/*===
212639740200000 Sun Mar 8 02:30:00 2026 offset 0
212639740200000 Sun Mar 8 02:30:00 2026 offset 0
212639738399000 Sun Mar 8 01:59:59 2026 offset 0
212639742000000 Sun Mar 8 03:00:00 2026 offset 0
212660299800000 Sun Nov 1 01:30:00 2026 offset 0
212660299800000 Sun Nov 1 01:30:00 2026 offset 0
212660301600000 Sun Nov 1 02:00:00 2026 offset 0
3600000
===*/
