// Numbers as text: integral values exactly up to 64 bits, fractions with six significant
// digits in the shorter of the plain and exponent forms.
function p(x) { WScript.Echo(x + "\n"); }
function row(values) {
    var line = "";
    for (var i = 0; i < values.length; i++)
        line += (i ? " " : "") + values[i];
    p(line);
}
row([0, -0, 1, -1, 100, 1e15, 1e18, 9007199254740993, Math.pow(2, 62), -Math.pow(2, 63)]);
row([Math.pow(2, 63), 1e19, 1e20, 1e21, 123456789012345680000, 1.7976931348623157e308, -1e300]);
row([0.1, 0.1 + 0.2, 1 / 3, 2 / 3, -1.5, 3.14159265, 123456.7, 1234567.5, 123456789.5]);
row([0.0001, 0.00001, 0.000001, 1e-7, 1.5e-7, 5e-324, 2.2250738585072014e-308, -1e-300]);
row([NaN, Infinity, -Infinity, 1 / 0, -1 / 0, 0 / 0, Number("1e400"), Number("-1e400")]);
// The text of a fraction converts back to its six digits, not to the number.
p(String(1 / 3) == "0.333333" && Number(String(1 / 3)) != 1 / 3);
p((1e21 + "").length + " " + (0.000123456789 + "") + " " + (-0.5 + "") + " " + (1e-6 * 3));
/*===
0 0 1 -1 100 1000000000000000 1000000000000000000 9007199254740992 4611686018427387904 -9223372036854775808
9.22337e+18 1e+19 1e+20 1e+21 1.23457e+20 1.79769e+308 -1e+300
0.1 0.3 0.333333 0.666667 -1.5 3.14159 123457 1.23457e+06 1.23457e+08
0.0001 1e-05 1e-06 1e-07 1.5e-07 4.94066e-324 2.22507e-308 -1e-300
NaN Infinity -Infinity Infinity -Infinity NaN Infinity -Infinity
true
5 0.000123457 -0.5 3e-06
===*/
