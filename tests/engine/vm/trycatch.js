// Errors raised by the machine are caught with their messages and lines, and the machine
// state after a caught error is what it was at the try.
/*===
1 not a function object line 14
2 new must be given a constructor object
3 can't convert undefined to an object
4 thrown through 50 calls: bottom
5 finally ran, then caught inner
6 199990000
7 after rethrow: again
8 nested catch names: outer inner outer
9 loop state 10 10
===*/
try { var r = notAFunction(); } catch (e) { WScript.Echo("1 " + e.message + " line " + e.lineNumber + "\n"); }
try { var q = new 5; } catch (e) { WScript.Echo("2 " + e.message + "\n"); }
try { var u; var v = u.field; } catch (e) { WScript.Echo("3 " + e.message + "\n"); }

function deep(n) { if (n == 0) throw "bottom"; return deep(n - 1) + 1; }
try { deep(50); } catch (e) { WScript.Echo("4 thrown through 50 calls: " + e + "\n"); }

function withFinally() { try { throw "inner"; } finally { WScript.Echo("5 finally ran, "); } }
try { withFinally(); } catch (e) { WScript.Echo("then caught " + e + "\n"); }

var sum = 0;
for (var i = 0; i < 20000; i++) { try { throw i; } catch (e) { sum += e; } }
WScript.Echo("6 " + sum + "\n");

try { try { throw "once"; } catch (e) { throw "again"; } } catch (e) { WScript.Echo("7 after rethrow: " + e + "\n"); }

try { throw "outer"; } catch (e) {
    var names = e;
    try { throw "inner"; } catch (e) { names += " " + e; }
    WScript.Echo("8 nested catch names: " + names + " " + e + "\n");
}

// Every iteration throws from inside a call in the middle of an expression.
function fail() { throw 1; }
var caught = 0, j;
for (j = 0; j < 10; j++) { try { var x = 1 + [2, fail()].length; } catch (e) { caught++; } }
WScript.Echo("9 loop state " + caught + " " + j + "\n");
