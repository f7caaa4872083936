// The remainder keeps fmod's results for operands beyond 32 bits, fractions and zeros, as well as
// for the small integers it takes a shortcut for.
/*===
1198260000001 % 7 = 1
-1198260000003 % 7 = -3
7 % 1198260000000 = 7
4294967296 % 10 = 6
2147483648 % 2147483647 = 1
-2147483648 % -1 = 0
5.5 % 2 = 1.5
-7 % 2 = -1
7 % -2 = 1
1 / (-4 % 2) = -Infinity
1 / (4 % -2) = Infinity
7 % 0 = NaN
Infinity % 3 = NaN
3 % Infinity = 3
===*/
var rows = ["1198260000001 % 7", "-1198260000003 % 7", "7 % 1198260000000", "4294967296 % 10",
    "2147483648 % 2147483647", "-2147483648 % -1", "5.5 % 2", "-7 % 2", "7 % -2",
    "1 / (-4 % 2)", "1 / (4 % -2)", "7 % 0", "Infinity % 3", "3 % Infinity"];
for (var i = 0; i < rows.length; i++)
    WScript.Echo(rows[i] + " = " + eval(rows[i]) + "\n");
