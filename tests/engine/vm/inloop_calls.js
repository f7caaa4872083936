// Script functions called from script code run inside the caller's machine loop; returns,
// exceptions and handlers must leave every register as a call through callFunction does.
// status: 1
/*===
caught bottom at depth 5
after 1
51 f0,f1,f2,f3
undefined 7 2 8
5
1,8,15,3,20
not a function object line function deepest() { return undefinedFunction(); }
===*/
/*=== stderr
Internal error detected
===*/
function thrower(n) { if (n == 0) throw "bottom"; return thrower(n - 1) + 1; }
function catcher(n) {
    try { return thrower(n); } catch (e) { return "caught " + e + " at depth " + n; }
}
WScript.Echo(catcher(5) + "\n");

// A return inside try leaves the callee's handler open; the caller's must still catch.
function leavesTry() { try { return 1; } catch (e) { return -1; } }
function callsAfter() {
    try { var v = leavesTry(); throw "after " + v; } catch (e) { return e; }
}
WScript.Echo(callsAfter() + "\n");

// finally runs on the way out through in-loop frames, and locals are fresh on each call.
var log = [];
function inner(k) { var seen; if (seen) log.push("stale"); seen = k; try { if (k > 1) throw k; return k; } finally { log.push("f" + k); } }
function outer() { var s = 0, i; for (i = 0; i < 4; i++) { try { s += inner(i); } catch (e) { s += 10 * e; } } return s; }
WScript.Echo(outer() + " " + log.join(",") + "\n");

// this for method calls, calls by name inside closures, missing and extra arguments.
function Counter(start) { this.n = start; }
Counter.prototype.add = function (k, unused) { this.n += k; return unused; };
var counter = new Counter(3);
WScript.Echo(counter.add(4) + " " + counter.n + " " + counter.add(1, 2, 3) + " " + counter.n + "\n");
function maker() { var hidden = 5; function get() { return this == WScript ? "bad" : hidden; } return function () { return get(); }; }
WScript.Echo(maker()() + "\n");

// Native code between script calls: a comparator that calls script functions.
function key(x) { return x % 7; }
function byKey(a, b) { return key(a) - key(b) || a - b; }
WScript.Echo([20, 3, 15, 8, 1].sort(byKey).join(",") + "\n");

// An error inside a nested call names its own line; the caller carries on after catching it.
function deepest() { return undefinedFunction(); }
function middle() { return deepest(); }
try { middle(); } catch (e) { WScript.Echo(e.message + " line " + e.sourceLine + "\n"); }

// Recursion deep enough to fill the stack fails with the machine's own error.
var depth = 0;
function recurse() { depth++; return recurse() + 1; }
recurse();
