// Functions called out of arrays by index, as dispatch tables are: this is the array, missing
// arguments are undefined, and whatever is not a script function still gets the general call.
/*===
true 3 undefined|7
9 9
caught 2 at 2
3 20
not a function object
not a function object
A
===*/
var table = [
    function (a, b) { return (this == table) + " " + this.length + " " + b; },
    function (a, b) { return a + "|" + b; },
    function (n) { if (n > 1) throw n; return table[2](n + 1) + 1; }
];
WScript.Echo(table[0](1) + "|" + table[1](undefined, 7).split("|")[1] + "\n");

// Calls in a loop, recursion through the table, and an exception thrown from a few frames down.
var square = [function (x) { return x * x; }, function (n) { return n == 0 ? 0 : 3 + square[1](n - 1); }];
var sum = 0, i;
for (i = 0; i < 3; i++) sum += square[0](i + 1) - i;
WScript.Echo((sum - 2) + " " + square[1](3) + "\n");
try { table[2](0); } catch (e) { WScript.Echo("caught " + e + " at " + e + "\n"); }

// A built-in in the table (concat closes the hole up), a hole, an index past the end, and a plain object's index key.
var mixed = [Array.prototype.concat, , function () { return 0; }];
WScript.Echo(mixed[0](20).length + " " + mixed[0](20)[2] + "\n");
try { mixed[1](); } catch (e) { WScript.Echo(e.message + "\n"); }
try { mixed[5](); } catch (e) { WScript.Echo(e.message + "\n"); }
var upper = { 0: function (s) { return s.toUpperCase(); } };
WScript.Echo(upper[0]("a") + "\n");
