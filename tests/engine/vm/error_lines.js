// An error carries the line of the instruction that raised it: inside a callee, in the caller
// after a call returned or failed, inside a comparator the sort built-in called, and after
// that sort returned.
function fail() {
    return undefined.field;
}
function afterCall() {
    var n = fail.length;
    return n.missing.field;
}
function lineOf(f) {
    try {
        f();
    } catch (e) {
        return e.lineNumber;
    }
    return "none";
}
WScript.Echo(lineOf(fail) + " " + lineOf(afterCall) + "\n");
WScript.Echo(lineOf(function () {
    try { fail(); } catch (e) { }
    var z = null.field;
}) + "\n");
WScript.Echo(lineOf(function () {
    [2, 1].sort(function (a, b) {
        return a.x.y;
    });
}) + " " + lineOf(function () {
    [2, 1].sort(function (a, b) { return a - b; });
    return undefined.z;
}) + "\n");
/*===
5 9
22
26 30
===*/
