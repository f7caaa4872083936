// Number: calling and constructing, the constants, toString with every radix, toFixed and
// valueOf, with the errors for a bad digit count, a bad radix and a wrong this.
function p(x) { WScript.Echo(x + "\n"); }
function attempt(f) {
    try { return f(); } catch (e) { return typeof e == "object" ? e.name + ": " + e.message : "thrown " + e; }
}

p("call " + Number() + " " + Number(undefined) + " " + Number(null) + " " + Number(true) + " "
  + Number("12") + " " + Number(" 0x1F ") + " " + Number("0X1f") + " " + Number("") + " "
  + Number("   ") + " " + Number("abc") + " " + Number("-0x10") + " " + Number("1e3") + " "
  + typeof Number(1));
p("new " + (new Number()).valueOf() + " " + (new Number(undefined)).valueOf() + " "
  + (new Number("7")).valueOf() + " " + typeof (new Number(1)) + " " + Number.prototype.valueOf()
  + " " + Number.prototype.toString());

p("constants " + Number.MAX_VALUE + " " + Number.MIN_VALUE + " " + Number.NaN + " "
  + Number.NEGATIVE_INFINITY + " " + Number.POSITIVE_INFINITY);
p("exact " + (Number.MAX_VALUE == 1.7976931348623157e308) + " " + (Number.MIN_VALUE == 5e-324) + " "
  + (Number.MIN_VALUE / 2 == 0) + " " + (Number.MAX_VALUE * 2 == Infinity) + " "
  + (Number.NaN == Number.NaN));
Number.MAX_VALUE = 1;
var listed = "";
for (var k in Number) listed += k;
p("fixed " + Number.MAX_VALUE + " " + delete Number.MIN_VALUE + " " + Number.MIN_VALUE + " ["
  + listed + "]");
p("declared " + Number.length + Number.prototype.toString.length + Number.prototype.toFixed.length
  + Number.prototype.valueOf.length);

p("radix " + (255).toString(16) + " " + (255).toString() + " " + (255).toString(0) + " "
  + (255).toString(2) + " " + (35).toString(36) + " " + (255).toString(16.9) + " "
  + (255).toString("16") + " " + (5).toString(NaN) + " " + (5).toString(4294967298) + " "
  + (255).toString(undefined));
var squares = "", tens = "";
for (var r = 2; r <= 36; r++) {
    squares += (r * r - 1).toString(r) + " ";
    tens += r.toString(r);
}
p(squares);
p(tens);
p("negative " + (-5).toString(16) + " " + (-1).toString(2) + " " + (-1).toString(36) + " "
  + (-255).toString(10) + " " + (-0).toString(2));
p("wide " + Math.pow(2, 63).toString(16) + " " + Math.pow(2, 53).toString(2) + " "
  + (Math.pow(2, 64) - 2048).toString(16) + " " + Math.pow(2, 64).toString(16));
p("fractions ignore the radix " + (2.5).toString(16) + " " + (-0.1).toString(2) + " "
  + (1 / 3).toString(36));
p("specials " + NaN.toString(16) + " " + (-Infinity).toString(2) + " " + Infinity.toString(36));
p(attempt(function () { return (5).toString(1); }) + " / " + attempt(function () { return (5).toString(37); })
  + " / " + attempt(function () { return (5).toString(-2); }));

p("toFixed " + (2.5).toFixed(0) + " " + (5).toFixed(2.9) + " " + (5).toFixed() + " "
  + (1.005).toFixed(2) + " " + (-1.5).toFixed(1) + " " + (3).toFixed(NaN) + " "
  + (5).toFixed(20) + " " + (5).toFixed("2") + " " + (0.5).toFixed(0) + " " + (1.5).toFixed(0)
  + " " + (123.456).toFixed(1) + " " + (1e-10).toFixed(5) + " " + (-0.0001).toFixed(2) + " "
  + (0).toFixed(1));
p("toFixed large " + (1e21).toFixed(0) + " " + (0.1).toFixed(20) + " "
  + (123456789012345680000).toFixed(2) + " " + Number.MAX_VALUE.toFixed(20).length + " "
  + Number.MIN_VALUE.toFixed(20));
p("toFixed specials " + NaN.toFixed(2) + " " + (0 / 0).toFixed(1) + " " + Infinity.toFixed(1) + " "
  + (-Infinity).toFixed(0));
p(attempt(function () { return (5).toFixed(21); }) + " / " + attempt(function () { return (5).toFixed(-1); })
  + " / " + attempt(function () { return (5).toFixed(20.5); }) + " / "
  + attempt(function () { return (5).toFixed(-Infinity); }));

// toFixed reads the internal value of any this; toString and valueOf need a Number object.
var text = new String("2.25");
text.toFixed = Number.prototype.toFixed;
text.numberText = Number.prototype.toString;
text.numberValue = Number.prototype.valueOf;
p("other this " + text.toFixed(1) + " " + ({ toFixed: Number.prototype.toFixed }).toFixed(1));
p(attempt(function () { return text.numberText(); }));
p(attempt(function () { return text.numberValue(); }));
var failing = { valueOf: function () { throw "from valueOf"; } };
p(attempt(function () { return (5).toFixed(failing); }) + " " + attempt(function () { return (5).toString(failing); }));
/*===
call 0 NaN 0 1 12 31 31 NaN NaN NaN NaN 1000 number
new 0 NaN 7 object 0 0
constants 1.79769e+308 4.94066e-324 NaN -Infinity Infinity
exact true true true true false
fixed 1.79769e+308 false 4.94066e-324 []
declared 1110
radix ff 255 255 11111111 z ff ff 5 101 255
11 22 33 44 55 66 77 88 99 aa bb cc dd ee ff gg hh ii jj kk ll mm nn oo pp qq rr ss tt uu vv ww xx yy zz 
1010101010101010101010101010101010101010101010101010101010101010101010
negative fffffffffffffffb 1111111111111111111111111111111111111111111111111111111111111111 3w5e11264sgsf -255 0
wide 8000000000000000 100000000000000000000000000000000000000000000000000000 fffffffffffff800 1.84467e+19
fractions ignore the radix 2.5 -0.1 0.333333
specials NaN -Infinity Infinity
RangeError: radix should 2 through 36 / RangeError: radix should 2 through 36 / RangeError: radix should 2 through 36
toFixed 2 5.00 5 1.00 -1.5 3 5.00000000000000000000 5.00 0 2 123.5 0.00000 -0.00 0.0
toFixed large 1000000000000000000000 0.10000000000000000555 123456789012345683968.00 330 0.00000000000000000000
toFixed specials nan nan inf -inf
RangeError: fraction digits should 0 through 20 / RangeError: fraction digits should 0 through 20 / RangeError: fraction digits should 0 through 20 / RangeError: fraction digits should 0 through 20
other this 2.2 nan
TypeError: Number.prototype.toString called on non-Number object
TypeError: Number.prototype.valueOf called on non-Number object
thrown from valueOf thrown from valueOf
===*/
