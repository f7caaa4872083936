// Samoa skipped the whole of 30 December 2011; as a wall-clock date it still has its fields,
// its text and a day's length.
// env: TZ=Pacific/Apia
var d = new Date(2011, 11, 30, 12);
WScript.Echo(d + " " + d.getDate() + " " + d.getHours() + " " + ((new Date(2011, 11, 31)) - d)
    + " " + d.getTimezoneOffset() + "\n");
/*===
Fri Dec 30 12:00:00 2011 30 12 43200000 0
===*/
