// Math: the constants, every function at NaN, the zeros and the infinities, max and min with
// their conversion order, round's halves and the range and steps of random.
function p(x) { WScript.Echo(x + "\n"); }
// Shows -0 apart from 0.
function z(x) { return x == 0 && 1 / x < 0 ? "-0" : "" + x; }
function row(label, values) {
    var line = label;
    for (var i = 0; i < values.length; i++)
        line += " " + z(values[i]);
    p(line);
}
function attempt(f) {
    try { return f(); } catch (e) { return typeof e == "object" ? e.name + ": " + e.message : "thrown " + e; }
}

row("constants", [Math.E, Math.LN10, Math.LN2, Math.LOG2E, Math.LOG10E, Math.PI, Math.SQRT1_2, Math.SQRT2]);
p("exact " + (Math.E == 2.718281828459045) + (Math.LN10 == 2.302585092994046)
  + (Math.LN2 == 0.6931471805599453) + (Math.LOG2E == 1.4426950408889634)
  + (Math.LOG10E == 0.43429448190325176) + (Math.PI == 3.141592653589793)
  + (Math.SQRT1_2 == 0.7071067811865476) + (Math.SQRT2 == 1.4142135623730951));
Math.PI = 3;
var listed = "", globalListsMath = false;
for (var k in Math) listed += k;
for (k in this) if (k == "Math") globalListsMath = true;
p("fixed " + Math.PI + " " + delete Math.E + " " + Math.E + " [" + listed + "] " + globalListsMath
  + " " + typeof Math);
p("declared " + Math.abs.length + Math.atan2.length + Math.max.length + Math.min.length
  + Math.pow.length + Math.random.length + Math.round.length + Math.sqrt.length);

row("abs", [Math.abs(-0), Math.abs(-3), Math.abs(-Infinity), Math.abs(NaN), Math.abs(), Math.abs("-2"), Math.abs(null)]);
row("acos asin atan", [Math.acos(2), Math.acos(1), Math.asin(-0), Math.asin(1.5), Math.atan(-0), Math.atan(Infinity), Math.atan(NaN)]);
row("atan2", [Math.atan2(1, 0), Math.atan2(0, -1), Math.atan2(-0, -1), Math.atan2(0, 0), Math.atan2(-0, 0), Math.atan2(NaN, 1), Math.atan2(Infinity, Infinity)]);
row("ceil floor", [Math.ceil(-0.5), Math.ceil(1.1), Math.ceil(NaN), Math.ceil(-Infinity), Math.floor(-1.5), Math.floor(-0), Math.floor(0.9), Math.floor(Infinity)]);
row("cos sin tan", [Math.cos(0), Math.cos(Infinity), Math.sin(-0), Math.sin(Infinity), Math.sin(NaN), Math.tan(-0), Math.tan(-Infinity)]);
row("exp log", [Math.exp(0), Math.exp(-Infinity), Math.exp(Infinity), Math.exp(710), Math.log(0), Math.log(-0), Math.log(-1), Math.log(1), Math.log(Infinity)]);
row("sqrt", [Math.sqrt(4), Math.sqrt(-1), Math.sqrt(-0), Math.sqrt(Infinity), Math.sqrt(-Infinity), Math.sqrt()]);
// pow is the C library's, so a base of 1 or -1 wins over a NaN or infinite exponent.
row("pow", [Math.pow(1, NaN), Math.pow(2, 10), Math.pow(), Math.pow(NaN, 0), Math.pow(-8, 1 / 3), Math.pow(0, -1), Math.pow(-0, -1), Math.pow(-1, Infinity), Math.pow(2, -1074), Math.pow(10, 309)]);

row("max", [Math.max(), Math.max(1, NaN, 3), Math.max(1.5, 2.7), Math.max("4", -1), Math.max(-0, 0), Math.max(0, -0), Math.max(-0, -0), Math.max(-Infinity), Math.max(undefined)]);
row("min", [Math.min(), Math.min(0, -0), Math.min(-0, 0), Math.min(3, undefined), Math.min(2, 1, 3), Math.min(Infinity, 1e308), Math.min(null, 1)]);
var converted = "";
function tracked(name, value) { return { valueOf: function () { converted += name; return value; } }; }
p("order " + Math.max(tracked("a", 1), tracked("b", NaN), tracked("c", 3)) + " " + converted);
converted = "";
p("order " + Math.min(tracked("a", 1), tracked("b", 0), tracked("c", 3)) + " " + converted);
p(attempt(function () { return Math.max(1, { valueOf: function () { throw "from valueOf"; } }); }));

row("round", [Math.round(-0.4), Math.round(-0.5), Math.round(-0.6), Math.round(-0), Math.round(2.5), Math.round(-2.5), Math.round(0.49999999999999994), Math.round(NaN), Math.round(-Infinity), Math.round(Infinity), Math.round(0.5), Math.round(1.5), Math.round(-1.5), Math.round(4503599627370497), Math.round("2.4")]);

// random is rand() scaled by 2^-31: always in [0, 1) and a whole number of 2^-31 steps.
var inRange = true, whole = true, distinct = false, first = Math.random();
for (var i = 0; i < 1000; i++) {
    var r = Math.random();
    inRange = inRange && r >= 0 && r < 1;
    whole = whole && r * 2147483648 == Math.floor(r * 2147483648);
    distinct = distinct || r != first;
}
p("random " + inRange + " " + whole + " " + distinct);
p(attempt(function () { return new Math.abs(1); }) + " / " + attempt(function () { return new Math(); }));
/*===
constants 2.71828 2.30259 0.693147 1.4427 0.434294 3.14159 0.707107 1.41421
exact truetruetruetruetruetruetruetrue
fixed 3.14159 false 2.71828 [] false object
declared 12002011
abs 0 3 Infinity NaN NaN 2 0
acos asin atan NaN 0 -0 NaN -0 1.5708 NaN
atan2 1.5708 3.14159 -3.14159 0 -0 NaN 0.785398
ceil floor -0 2 NaN -Infinity -2 -0 0 Infinity
cos sin tan 1 NaN -0 NaN NaN -0 NaN
exp log 1 0 Infinity Infinity -Infinity -Infinity NaN 0 Infinity
sqrt 2 NaN -0 Infinity NaN NaN
pow 1 1024 NaN 1 NaN Infinity -Infinity 1 4.94066e-324 Infinity
max -Infinity NaN 2.7 4 0 0 -0 -Infinity NaN
min Infinity -0 -0 NaN 1 1e+308 0
order NaN ab
order 0 abc
thrown from valueOf
round -0 -0 -1 -0 3 -2 1 NaN -Infinity Infinity 1 2 -1 4503599627370498 2
random true true true
TypeError: new must be given a constructor object / TypeError: new must be given a constructor object
===*/
