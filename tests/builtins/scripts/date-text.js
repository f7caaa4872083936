// Date text forms (QtCore's Qt::TextDate texts), "Invalid Date" from every one of them, Dates in
// string and number contexts, and the texts new Date reads back.
// env: TZ=UTC
var forms = ["toString", "toDateString", "toTimeString", "toLocaleString", "toLocaleDateString",
    "toLocaleTimeString", "toUTCString"];
function texts(d) {
    var line = "";
    for (var i = 0; i < forms.length; i++)
        line += (i ? " | " : "") + d[forms[i]]();
    WScript.Echo(line + "\n");
}
texts(new Date(2026, 0, 4, 9, 5, 3, 250));
texts(new Date(2026, 11, 25, 23, 59, 59, 999));
var early = new Date(2026, 6, 1);
early.setFullYear(5);
texts(early);
early.setFullYear(-1);
texts(early);
texts(new Date(0));
texts(new Date(8.64e15));
texts(new Date(NaN));
texts(new Date(Infinity));
texts(new Date(-1));
texts(Date.prototype);

// A Date reads as its text where a string is wanted and as its time value where a number is.
var d = new Date(2026, 0, 4, 9, 5, 3, 250);
WScript.Echo(("" + d) + " / " + (d + 1) + " / " + (d - 0) + " / " + (d == d.toString()) + " / "
    + (d < new Date(2026, 0, 4, 9, 5, 3, 251)) + "\n");

// new Date(text) reads the toString and toDateString texts and ISO 8601 forms; anything else
// gives an Invalid Date.
var readable = [d.toString(), d.toDateString(), " Sun Jan 4 09:05:03 2026 ", "2026-01-04",
    "2026-01-04T09:05:03", "2026-01-04 09:05:03.250", "2026-01-04T09:05:03Z",
    "2024-02-29T23:59:59.999", "2026-01-04T24:00:00", "Mon Nov 24 00:00:00 -4714",
    "Wed Aug 7 00:00:00 269078", "Wed Aug 7 00:00:01 269078", "", "Invalid Date",
    "2026-02-30", "2026-13-01", "Sun Jan 4 09:05:03 2026 x", "04.01.2026", "09:05:03"];
for (var i = 0; i < readable.length; i++) {
    var parsed = new Date(readable[i]);
    WScript.Echo("[" + readable[i] + "] " + parsed.valueOf() + " " + parsed + "\n");
}
/*===
Sun Jan 4 09:05:03 2026 | Sun Jan 4 2026 | 09:05:03 | Sun Jan 4 09:05:03 2026 | Sun Jan 4 2026 | 09:05:03 | Sun Jan 4 09:05:03 2026
Fri Dec 25 23:59:59 2026 | Fri Dec 25 2026 | 23:59:59 | Fri Dec 25 23:59:59 2026 | Fri Dec 25 2026 | 23:59:59 | Fri Dec 25 23:59:59 2026
Fri Jul 1 00:00:00 0005 | Fri Jul 1 0005 | 00:00:00 | Fri Jul 1 00:00:00 0005 | Fri Jul 1 0005 | 00:00:00 | Fri Jul 1 00:00:00 0005
Sat Jul 1 00:00:00 -001 | Sat Jul 1 -001 | 00:00:00 | Sat Jul 1 00:00:00 -001 | Sat Jul 1 -001 | 00:00:00 | Sat Jul 1 00:00:00 -001
Mon Nov 24 00:00:00 -4714 | Mon Nov 24 -4714 | 00:00:00 | Mon Nov 24 00:00:00 -4714 | Mon Nov 24 -4714 | 00:00:00 | Mon Nov 24 00:00:00 -4714
Wed Aug 7 00:00:00 269078 | Wed Aug 7 269078 | 00:00:00 | Wed Aug 7 00:00:00 269078 | Wed Aug 7 269078 | 00:00:00 | Wed Aug 7 00:00:00 269078
Invalid Date | Invalid Date | Invalid Date | Invalid Date | Invalid Date | Invalid Date | Invalid Date
Invalid Date | Invalid Date | Invalid Date | Invalid Date | Invalid Date | Invalid Date | Invalid Date
Invalid Date | Invalid Date | Invalid Date | Invalid Date | Invalid Date | Invalid Date | Invalid Date
Invalid Date | Invalid Date | Invalid Date | Invalid Date | Invalid Date | Invalid Date | Invalid Date
Sun Jan 4 09:05:03 2026 / Sun Jan 4 09:05:03 20261 / 212634320703250 / true / true
[Sun Jan 4 09:05:03 2026] 212634320703000 Sun Jan 4 09:05:03 2026
[Sun Jan 4 2026] 212634288000000 Sun Jan 4 00:00:00 2026
[ Sun Jan 4 09:05:03 2026 ] 212634320703000 Sun Jan 4 09:05:03 2026
[2026-01-04] 212634288000000 Sun Jan 4 00:00:00 2026
[2026-01-04T09:05:03] 212634320703000 Sun Jan 4 09:05:03 2026
[2026-01-04 09:05:03.250] 212634320703250 Sun Jan 4 09:05:03 2026
[2026-01-04T09:05:03Z] 212634320703000 Sun Jan 4 09:05:03 2026
[2024-02-29T23:59:59.999] 212576054399999 Thu Feb 29 23:59:59 2024
[2026-01-04T24:00:00] 212634374400000 Mon Jan 5 00:00:00 2026
[Mon Nov 24 00:00:00 -4714] 0 Mon Nov 24 00:00:00 -4714
[Wed Aug 7 00:00:00 269078] 8640000000000000 Wed Aug 7 00:00:00 269078
[Wed Aug 7 00:00:01 269078] NaN Invalid Date
[] NaN Invalid Date
[Invalid Date] NaN Invalid Date
[2026-02-30] NaN Invalid Date
[2026-13-01] NaN Invalid Date
[Sun Jan 4 09:05:03 2026 x] NaN Invalid Date
[04.01.2026] NaN Invalid Date
[09:05:03] NaN Invalid Date
===*/
