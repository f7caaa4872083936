// Scale: an object with `size` properties (default 100 000) is created, read back by name and
// walked with for-in. Run with -define size=N; the time should grow linearly with N.
// scale: size=100000
var size = typeof size == "undefined" ? 100000 : parseInt(size);
var table = new Object();
var i;
for (i = 0; i < size; i++)
    table["key" + i] = i;
var sum = 0;
for (i = 0; i < size; i++)
    sum = sum + table["key" + i];
var count = 0, name;
for (name in table)
    count = count + 1;
WScript.Echo("bigobject " + size + " " + sum + " " + count + "\n");
