// The Array methods take a short way over arrays whose elements run without gaps up to the length,
// and the long way otherwise; both must give the same elements, holes, stored Undefined values,
// lengths and comparator calls, also when the comparator changes the array being sorted.
/*===
slice: 2,3,4 | 7,8,9 | 7,8 | 0 | 0,1,2,3,4,5,6,7,8,9 | 8,9 | 0,1,2,3,4,5,6,7,8,9 | 0 | 2,3 | 0
slice, holey: 0=1 2=3 3=4 | 4 / 0=1 1=undefined 2=3 | 3
slice, truncated: 0=0 1=1 2=2 | 3
slice, prototype: 0=1 1=proto 2=3 | 3 / 0=1 1=2 2=3 | 3
concat: 0=1 1=2 2=3 3=undefined 4=4 5=5 6=null | 7
concat, holey self: 0=0 1=1 2=3 3=4 4=5 5=0 6=1 7=2 | 8 / 0=7 | 1
concat, objects: 0=9 1=o 2=9 | 3
reverse: 0=4 1=3 2=2 3=1 4=0 | 5 / 0=5 1=4 2=3 3=2 4=1 5=0 | 6 / | 0 / 0=7 | 1
reverse, undefined: 0=2 1=1 | 3 / 1=2 2=1 | 3 / 0=3 1=undefined 2=1 | 3 / | 2
reverse, holey: 0=5 1=4 2=3 4=1 5=0 | 6 / 0=2 1=1 2=0 3=3 4=4 5=5 | 3 / 2=2 3=1 4=0 | 5
shift: 0 -> 0=1 1=2 2=3 | 3 / undefined -> | 0 / 5 -> | 0
shift, undefined: undefined -> 0=1 1=undefined 2=2 | 3 / 1 -> 0=undefined | 1
shift, holey: 0 -> 0=1 1=undefined 2=3 3=4 4=5 | 5 / 0 -> 0=1 1=2 3=3 4=4 5=5 | 2 / undefined -> 0=undefined 1=2 2=1 3=0 | 4
pop: 2 -> 0=0 1=1 | 2 / undefined -> | 0 / undefined -> 0=1 | 1
pop, holey: 5 -> 0=0 1=1 3=3 4=4 | 5 / 2 -> 0=0 1=1 3=3 4=4 5=5 | 2 / 0 -> 0=undefined 1=2 2=1 | 3
push: 2 3 6 0=0 1=1 2=undefined 3=3 4=null 5=5 | 6
push over a stored index: 7 0=0 1=1 2=a 3=b 4=c 5=d 6=e | 7
push after truncation: 4 0=0 1=1 2=2 3=x 4=4 5=5 | 4
join: 1,2 | 1null2 | 0,1,2 | 012 |  | 0+1+3+4+5 | 1,2;3 | 0,1,2
join, changed meanwhile: 1-b 0=1 1=b | 1
sort: 0=1 1=10 2=100 3=25 4=9 | 5 / 0=1 1=2 2=3 | 3 / 0=1 1=2 2=10 | 3 / 0=4 1=3 2=2 3=1 | 4 / 0=3 1=2 2=1 | 3
sort, undefined: 0=1 1=2 2=3 | 5 / 0=a 1=b | 3 / 0=0 1=1 2=3 3=4 4=5 | 6 / 0=2 1=1 2=0 3=3 4=4 5=5 | 3
comparisons: 24 20 31 40 42 51 53 60 62 64 71 73 75 80 82 84 86 78 67 56 45 34 23 12 01
comparator pushes: 0=1 1=2 2=3 3=4 4=5 5=10 6=11 7=12 | 8
comparator truncates: 0=1 1=2 2=3 3=4 4=5 5=7 6=8 | 7
comparator pops: 0=1 1=3 2=5 | 3
comparator deletes: 0=1 1=3 2=4 3=5 4=7 5=8 9=0 | 10
comparator stores undefined: 0=1 1=2 2=3 3=4 4=5 | 6
Error: Array.prototype.sort argument is not a function
===*/
function p(x) { WScript.Echo(x + "\n"); }
// Keys as for-in lists them, each value, and the length: holes and stored Undefined differ.
function show(a) { var s = "", k; for (k in a) s += k + "=" + a[k] + " "; return s + "| " + a.length; }
function range(n) { var a = [], i; for (i = 0; i < n; i++) a.push(i); return a; }
function holey() { var a = [0, 1, 2, 3, 4, 5]; delete a[2]; return a; }
function truncated() { var a = [0, 1, 2, 3, 4, 5]; a.length = 3; return a; }

var r = range(10);
p("slice: " + r.slice(2, 5) + " | " + r.slice(-3) + " | " + r.slice(-3, -1) + " | " + r.slice(5, 2).length
    + " | " + r.slice(-100, 100) + " | " + r.slice(8, 100) + " | " + r.slice() + " | " + r.slice(10).length
    + " | " + r.slice(2.7, "4") + " | " + r.slice(-0.5, -9.5));
p("slice, holey: " + show(holey().slice(1, 5)) + " / " + show([1, undefined, 3].slice(0)));
p("slice, truncated: " + show(truncated().slice(0, 6)));
Array.prototype[2] = "proto";
p("slice, prototype: " + show(holey().slice(1, 4)) + " / " + show(range(4).slice(1, 4)));
delete Array.prototype[2];

p("concat: " + show([1, undefined, 2].concat([undefined], 3, undefined, [4, , 5], null)));
p("concat, holey self: " + show(holey().concat(truncated(), [])) + " / " + show([].concat([], 7)));
var nested = [9];
p("concat, objects: " + show([nested].concat({ toString: function () { return "o"; } }, nested)));

function reversed(a) { a.reverse(); return show(a); }
p("reverse: " + reversed(range(5)) + " / " + reversed(range(6)) + " / " + reversed([]) + " / " + reversed([7]));
p("reverse, undefined: " + reversed([undefined, 1, 2]) + " / " + reversed([1, 2, undefined]) + " / "
    + reversed([1, undefined, 3]) + " / " + reversed([undefined, undefined]));
var longer = range(3); longer.length = 5;
p("reverse, holey: " + reversed(holey()) + " / " + reversed(truncated()) + " / " + reversed(longer));

function shifted(a) { var first = a.shift(); return first + " -> " + show(a); }
p("shift: " + shifted(range(4)) + " / " + shifted([]) + " / " + shifted([5]));
p("shift, undefined: " + shifted([undefined, 1, undefined, 2]) + " / " + shifted([1, undefined]));
p("shift, holey: " + shifted(holey()) + " / " + shifted(truncated()) + " / " + shifted(longer));

function popped(a) { var last = a.pop(); return last + " -> " + show(a); }
p("pop: " + popped(range(3)) + " / " + popped([]) + " / " + popped([1, undefined]));
p("pop, holey: " + popped(holey()) + " / " + popped(truncated()) + " / " + popped(longer));

var pushed = range(2);
p("push: " + pushed.push() + " " + pushed.push(undefined) + " " + pushed.push(3, null, 5) + " " + show(pushed));
var above = [0, 1]; above[5] = "five"; above.length = 2;
p("push over a stored index: " + above.push("a", "b", "c", "d", "e") + " " + show(above));
var after = truncated();
p("push after truncation: " + after.push("x") + " " + show(after));

p("join: " + [1, null, undefined, 2].join() + " | " + [1, null, undefined, 2].join(null) + " | "
    + range(3).join(undefined) + " | " + range(3).join("") + " | " + [].join("-") + " | "
    + holey().join("+") + " | " + [[1, 2], [3]].join(";") + " | " + truncated().join());
var growing = [1, 2, 3];
growing[1] = { toString: function () { growing.push(9); growing.pop(); growing.pop(); return "b"; } };
p("join, changed meanwhile: " + growing.join("-") + " " + show(growing));

function sortedShow(a, compare) { a.sort(compare); return show(a); }
function byNumber(x, y) { return x - y; }
p("sort: " + sortedShow([10, 9, 1, 100, 25]) + " / " + sortedShow([3, 1, 2], byNumber) + " / "
    + sortedShow([2, "10", 1], byNumber) + " / " + sortedShow([4, 3, 2, 1], function () { return NaN; }) + " / "
    + sortedShow([1, 2, 3], function () { return "1"; }));
p("sort, undefined: " + sortedShow([3, undefined, 1, undefined, 2], byNumber) + " / "
    + sortedShow([undefined, "b", "a"]) + " / " + sortedShow(holey(), byNumber) + " / "
    + sortedShow(truncated(), function (x, y) { return y - x; }));
var calls = [];
range(9).reverse().sort(function (x, y) { calls.push(x + "" + y); return x - y; });
p("comparisons: " + calls.length + " " + calls.join(" "));
var target = [5, 1, 4, 2, 3], extra = 0;
target.sort(function (x, y) { if (extra < 3) target.push(10 + extra++); return x - y; });
p("comparator pushes: " + show(target));
target = [5, 1, 4, 2, 3, 8, 7];
var cut = false;
target.sort(function (x, y) { if (!cut) { cut = true; target.length = 2; } return x - y; });
p("comparator truncates: " + show(target));
target = [5, 1, 4, 2, 3, 8, 7];
target.sort(function (x, y) { if (target.length > 3) target.pop(); return x - y; });
p("comparator pops: " + show(target));
target = [5, 1, 4, 2, 3, 8, 7];
cut = false;
target.sort(function (x, y) { if (!cut) { cut = true; delete target[3]; target[9] = 0; } return x - y; });
p("comparator deletes: " + show(target));
target = [6, 5, 4, 3, 2, 1];
target.sort(function (x, y) { target[0] = undefined; return x - y; });
p("comparator stores undefined: " + show(target));
try { [1].sort(Math.max); } catch (e) { p(e.name + ": " + e.message); }
