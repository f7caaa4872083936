// Calls, closures, constructors and the arguments object, through compiled source.
/*===
fact 3628800
missing undefined, extra 2
closure 3 3 1
point 7 true true
factory 2 undefined
odd prototype true, index call this true
with this true, global this true
arguments 3 b true
sibling this true
length 2 0
===*/
function fact(n) { return n <= 1 ? 1 : n * fact(n - 1); }
WScript.Echo("fact " + fact(10) + "\n");

function second(a, b) { return b; }
function count() { return arguments.length; }
WScript.Echo("missing " + second(1) + ", extra " + count(1, 2) + "\n");

function counter() {
    var n = 0;
    return function () { n++; return n; };
}
var c = counter(), d = counter();
c(); c();
WScript.Echo("closure " + c() + " " + (c() - 1) + " " + d() + "\n");

function Point(x, y) { this.x = x; this.y = y; }
Point.prototype.sum = function () { return this.x + this.y; };
var p = new Point(3, 4);
WScript.Echo("point " + p.sum() + " " + (p.constructor == Point) + " " + (p.sum == Point.prototype.sum) + "\n");

// A constructor that returns an object yields it; a non-object result is ignored.
function Factory() { this.v = 1; return { v: 2 }; }
function Plain() { return 5; }
WScript.Echo("factory " + (new Factory()).v + " " + (new Plain()).v + "\n");
// A "prototype" that is not an object gives new objects the Object prototype.
function Odd() { }
Odd.prototype = 1;
var indexed = { self: function () { return this; } };
WScript.Echo("odd prototype " + ((new Odd()).constructor == Object) + ", index call this " + (indexed["self"]() == indexed) + "\n");

var holder = { self: function () { return this; } };
function self() { return this; }
var withThis, globalThis = self();
with (holder) { withThis = self(); }
WScript.Echo("with this " + (withThis == holder) + ", global this " + (globalThis == this) + "\n");

function args() { return arguments.length + " " + arguments[1] + " " + (arguments.callee == args); }
WScript.Echo("arguments " + args(1, "b", 3) + "\n");

// A function found in an outer function's variables is called with the global object.
function outer() {
    function inner() { return this; }
    return inner();
}
WScript.Echo("sibling this " + (outer() == this) + "\n");
WScript.Echo("length " + second.length + " " + count.length + "\n");
