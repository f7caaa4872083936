// A load followed by the operator that takes it as its right operand runs as one instruction
// in unchecked code; operands that are no Numbers must still take the general rules.
/*===
8 5 21 1.75 2 6 7 4 28 3 3 false false false true 6 1000010 7 true
9 5 14 3.5 1 2 7 5 28 1 1 false false false true | 10 -4 21 0.428571 3 3 7 4 384 0 0 true true false true
72 false false true false 1 | 14 false true false true 0
-6 -9 -21 -1.75 -2 0 -7 -6 -28 -4 2147483644 true true false true -8 999996 -7 true
-5 -9 -14 -3.5 -1 0 -5 -5 -28 -2 1073741822 true true false true | -4 10 -21 -0.428571 3 1 -5 -6 100663296 0 0 false false false true
-72 true false true true -1 | -14 false true false true 0
121 10 36 3 2 4 13 15 48 6 6 false false false true 12-1 121000003 12 true
122 10 24 6 0 0 14 14 48 3 3 false false false true | 312 -9 36 0.25 3 0 15 15 12288 0 0 true true false true
122 true false true true 0 | 1212 false true false true 0
a1 NaN NaN NaN NaN 0 1 3 0 0 0 false false false true a-1 a1000003 NaN false
a2 NaN NaN NaN NaN 0 2 2 0 0 0 false false false true | 3a NaN NaN NaN NaN 0 3 3 3 3 3 false false false true
a2 false false true false NaN | aa false true false true NaN
1 -2 0 0 0 0 1 3 0 0 0 true true false true -1 1000003 0 true
2 -2 0 0 0 0 2 2 0 0 0 true true false true | 3 3 0 Infinity NaN 0 3 3 3 3 3 false false false true
null2 true false true true 0 | 0 false true false true NaN
NaN NaN NaN NaN NaN 0 1 3 0 0 0 false false false true NaN NaN NaN false
NaN NaN NaN NaN NaN 0 2 2 0 0 0 false false false true | NaN NaN NaN NaN NaN 0 3 3 3 3 3 false false false true
undefined2 false false true false NaN | NaN false true false false NaN
2 -1 3 0.25 1 0 1 2 4 0 0 true true false true 0 1000004 1 true
3 -1 2 0.5 1 0 3 3 4 0 0 true true false true | 4 2 3 3 0 1 3 2 6 1 1 false false false true
true2 true false true true 1 | 2 false true false true 0
3.5 0.5 7.5 0.625 2.5 2 3 1 8 1 1 false false false true 1.5 1.00001e+06 2.5 true
4.5 0.5 5 1.25 0.5 2 2 0 8 0 0 false false false true | 5.5 0.5 7.5 1.2 0.5 2 3 1 12 0 0 false false false true
2.52 false false true false 0.5 | 5 false true false true 0
1 -2 0 0 0 0 1 3 0 0 0 true true true false -1 1000003 0 true
2 -2 0 0 0 0 2 2 0 0 0 true true false true | 3 3 0 -Infinity NaN 0 3 3 3 3 3 false false false true
02 true false true true 0 | 0 false true false true NaN
1e+300 1e+300 3e+300 2.5e+299 0 0 1 3 0 0 0 false false false true 1e+300 1e+300 177074 false
1e+300 1e+300 2e+300 5e+299 0 0 2 2 0 0 0 false false false true | 1e+300 -1e+300 3e+300 3e-300 3 0 3 3 3 3 3 true true false true
1e+3002 false false true false 0 | 2e+300 false true false true 0
4 1 9 0.75 3 2 3 0 12 1 1 false false false true 2 1000006 3 true
5 1 6 1.5 1 2 3 1 12 0 0 false false false true | 6 0 9 1 0 3 3 0 24 0 0 false true true false
32 false false true false 1 | 6 false true false true 0
12 11 9
from valueOf
can't convert undefined to an object line function fails(o) { var q = 1; return o.missing.x < q; }
===*/
function withConstants(x) {
    return [x + 1, x - 2, x * 3, x / 4, x % 5, x & 6, x | 1, x ^ 3, x << 2, x >> 1, x >>> 1,
            x < 2, x <= 2, x == 0, x != 0, x + -1, x + 1000003, x % 1000003, x < 1000003].join(" ");
}
function withLocals(x, y) {
    var a = y, s = 0;
    s = [x + a, x - a, x * a, x / a, x % a, x & a, x | a, x ^ a, x << a, x >> a, x >>> a,
         x < a, x <= a, x == a, x != a].join(" ");
    return s;
}
function withArgument(x, y) {
    return [x + y, x < y, x == y, x != y, x <= y, x % y].join(" ");
}
var values = [7, -7, "12", "a", null, undefined, true, 2.5, -0, 1e300, { valueOf: function () { return 3; } }];
var i;
for (i = 0; i < values.length; i++) {
    WScript.Echo(withConstants(values[i]) + "\n");
    WScript.Echo(withLocals(values[i], 2) + " | " + withLocals(3, values[i]) + "\n");
    WScript.Echo(withArgument(values[i], "2") + " | " + withArgument(values[i], values[i]) + "\n");
}
// Loop conditions against a constant, a local and an argument, with a text bound.
function count(limit) {
    var n = 0, j, k = "4";
    for (j = 0; j < 5; j++) n++;
    for (j = 0; j < k; j++) n++;
    for (j = 0; j < limit; j++) n++;
    return n;
}
WScript.Echo(count(3) + " " + count("2") + " " + count(null) + "\n");
// An error inside a fused instruction names its line.
var thrower = { valueOf: function () { throw new Error("from valueOf"); } };
function add(o) {
    return o
        + 1;
}
try { add(thrower); } catch (e) { WScript.Echo(e.message + "\n"); }
function fails(o) { var q = 1; return o.missing.x < q; }
try { fails({}); } catch (e) { WScript.Echo(e.message + " line " + e.sourceLine + "\n"); }
