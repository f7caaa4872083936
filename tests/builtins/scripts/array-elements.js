// Elements stored in order, out of order, past gaps and after deletes must read, enumerate and
// move alike, whether or not they are kept as a run of bare values.
/*===
delete inside: 0=1 1=2 3=4 4=5 | 5
filled again: 0=1 1=2 2=9 3=4 4=5 | 5
filled downwards: 0=0 1=2 2=4 3=6 4=8 5=10 | 6
truncated: 0=0 4=1 | 2 1
pushed after truncation: 0=0 2=7 4=1 | 3
sorted with holes: 0=1 1=2 2=3 | 5
reversed: 0=3 1=undefined 2=1 | 3 true
shift, pop: 1 3 0=2 | 1
from the prototype: inherited inherited false
constant keys: 56 true false
concat, slice: 0=1 1=2 2=3 3=5 4=6 | 5 2-3-4-5
push after delete: 0=0 1=1 2=2 4=4 | 5
large: 70000 49 undefined 51 false 70000
large reversed: 51 undefined 49 false
stack: 100000 99999 undefined
===*/
function p(x) { WScript.Echo(x + "\n"); }
function show(a) { var s = "", k; for (k in a) s += k + "=" + a[k] + " "; return s + "| " + a.length; }
var a = [1, 2, 3, 4, 5];
delete a[2];
p("delete inside: " + show(a));
a[2] = 9;
p("filled again: " + show(a));
var down = [], i;
for (i = 4; i >= 0; i--) down[i] = i * 2;
down.push(10);
p("filled downwards: " + show(down));
var c = new Array(5);
c[4] = 1; c[0] = 0; c.length = 2;
p("truncated: " + show(c) + " " + c[4]);
c.push(7);
p("pushed after truncation: " + show(c));
var d = [3, undefined, 1, , 2];
d.sort();
p("sorted with holes: " + show(d));
var e = [1, undefined, 3];
e.reverse();
p("reversed: " + show(e) + " " + e.hasOwnProperty("1"));
var f = [1, 2, 3];
p("shift, pop: " + f.shift() + " " + f.pop() + " " + show(f));
Array.prototype[3] = "inherited";
var g = [0, 1];
p("from the prototype: " + g[3] + " " + g["3"] + " " + g.hasOwnProperty(3));
delete Array.prototype[3];
var h = [5, 6];
p("constant keys: " + h["0"] + h["1"] + " " + h.propertyIsEnumerable("1") + " " + h.propertyIsEnumerable("length"));
p("concat, slice: " + show([1, 2].concat([3, , 5], 6)) + " " + [1, 2, 3, 4, 5, 6].slice(1, -1).join("-"));
var n = [0, 1, 2, 3];
delete n[3]; n.push(4);
p("push after delete: " + show(n));
var big = [];
for (i = 0; i < 70000; i++) big.push(i);
big.named = 1;
delete big[50];
var count = 0, k;
for (k in big) count++;
p("large: " + big.length + " " + big[49] + " " + big[50] + " " + big[51] + " " + big.hasOwnProperty(50) + " " + count);
big.reverse();
p("large reversed: " + big[69948] + " " + big[69949] + " " + big[69950] + " " + big.hasOwnProperty(69949));
var stack = [];
for (i = 0; i < 100000; i++) { stack.push(i); stack.push(i); stack.pop(); }
p("stack: " + stack.length + " " + stack[99999] + " " + stack[100000]);
