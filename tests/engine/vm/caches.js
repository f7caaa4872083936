// Property and element instructions that remember positions, and the number fast paths: every
// answer must be what the general rules give, whatever an instruction saw before.
/*===
layouts 1 2 3 undefined
shadow 5 7 5
readd 9 2
readonly 2 2
elements 30 undefined 7 3
shortened 6 6
strings 3 3
calls 1 2
modulo -1 1 -Infinity Infinity NaN 3 -0.5
int32 5 -2147483648 4294967295 1661992960 -1 0
equality false true true false true false
scopes 1,5 1,5 3 1
===*/
function read(o) { return o.x; }
var a = { x: 1 }, b = { y: 0, x: 2 }, c = { z: 0, w: 0, x: 3 }, d = { y: 1 };
WScript.Echo("layouts " + read(a) + " " + read(b) + " " + read(c) + " " + read(d) + "\n");

function P() { }
P.prototype.v = 5;
var p = new P(), q = new P();
function v(o) { return o.v; }
var first = v(p);
q.v = 7;
WScript.Echo("shadow " + first + " " + v(q) + " " + v(p) + "\n");

var r = { k: 1, m: 2 };
function getK(o) { return o.k; }
function setK(o, value) { o.k = value; }
getK(r);
delete r.k;
setK(r, 9);
WScript.Echo("readd " + getK(r) + " " + r.m + "\n");

function f(x, y) { }
function setLength(g) { g.length = 10; }
setLength(f);
setLength(f);
WScript.Echo("readonly " + f.length + " " + f.length + "\n");

var list = [10, 20, 30];
function at(array, i) { return array[i]; }
function put(array, i, value) { array[i] = value; }
var three = at(list, 2);
delete list[2];
var gone = at(list, 2);
put(list, 2, 7);
var other = [];
other[5] = 1;
put(other, 0, 3);
WScript.Echo("elements " + three + " " + gone + " " + at(list, 2) + " " + at(other, 0) + "\n");

var short = [1, 2, 3, 4, 5, 6];
short.length = 2;
put(short, 4, 0);
put(short, 5, 0);
WScript.Echo("shortened " + (put(short, 4, 9), short.length) + " " + short.length + "\n");

var text = "abc";
WScript.Echo("strings " + at(text, "length") + " " + at(new String("abc"), "length") + "\n");

function Counter() { this.n = 0; }
Counter.prototype.step = function () { return ++this.n; };
var counter = new Counter(), second = new Counter();
counter.step();
second.step = function () { return 2; };
WScript.Echo("calls " + counter.n + " " + second.step() + "\n");

var m = [-7 % 2, 7 % -2, 1 / (-4 % 2), 1 / (0 % 5), 5 % 0, 3 % 2147483648, -2.5 % 2];
WScript.Echo("modulo " + m.join(" ") + "\n");

var big = 4294967296 * 3 + 5;
var i32 = [big | 0, 2147483648 | 0, -1 >>> 0, 1e20 | 0, 4294967295 >> 0, NaN | 0];
WScript.Echo("int32 " + i32.join(" ") + "\n");

var o = {};
var eq = [o == null, null == undefined, o == o, o == {}, 1 == 1, NaN == NaN];
WScript.Echo("equality " + eq.join(" ") + "\n");

function outer() {
  var v = 1, calls = 0;
  function inner(o) {
    var seen = [];
    with (o) {
      seen.push(v);
      o.v = 5;
      seen.push(v);
    }
    calls = calls + 1;
    return seen.join(",");
  }
  function count() { return calls; }
  function shadow() { eval("var v = 'global'"); return v; } // eval's var lands globally
  return [inner, count, shadow];
}
var fns = outer();
var once = fns[0]({}), twice = fns[0]({});
fns[0]({});
WScript.Echo("scopes " + once + " " + twice + " " + fns[1]() + " " + fns[2]() + "\n");
