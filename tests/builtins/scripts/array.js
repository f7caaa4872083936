// Array: the constructor, "length" as elements are written and as it is set, the two text forms,
// and every method but sort, on dense and sparse arrays and on objects that are not arrays.
/*===
constructor: 3:[-,-,-] 1:[3] 2:[1,2] 0:[] 1:[undefined] 0:[] 4294967295 [object Array]
bad lengths: 4 RangeError: bad length in array constructor
grows: 6 6 6 8 8
truncated: 2 5 true 1,2 3:[1,2,x]
set length: 3 4294967295 1410065408 0 2 3 no length 3
index range: 2147483647 0 0 1
hidden length: [0,1] false
text: 1,,undefined,2|1,2|1,,undefined,2|1,,undefined,2|1,,undefined,2
join: -x|1null2|1,2||152|1,2,3|undefined,m,undefined|+m|a/c
holds itself: 1,2,,,3|1-2--,3|1,2,,,3
concat: 5:[1,2,3,4,[object Object]] true 3:[0,1,3] 2:[1,undefined] 2 true false
pop: undefined 0 3 2:[1,2] undefined 2 b 1 false undefined 0
push: 4 4:[1,2,3,4] 4 2 2 undefined
reverse: 3,2,1 true 3:[3,-,1] 4:[4,3,2,-] 2:[-,1] 0 5
shift: 1 2:[2,3] undefined 0 1 2:[undefined,3] a b false 1
slice: 3,4|2,3|0|1,2,3,4|2,3,4|2,3|1,2,3,4|3,4 3:[1,-,3] [object Array] b,c
inherited: 2:[-,p] -p
absent: undefined undefined undefined undefined
===*/
function p(x) { WScript.Echo(x + "\n"); }
function keys(o) { var list = [], k; for (k in o) list.push(k); return "[" + list.sort() + "]"; }
// Each position up to "length": "-" marks one that is not an own property.
function show(a) {
    var text = "", i;
    for (i = 0; i < a.length; i++)
        text += (i ? "," : "") + (a.hasOwnProperty(i) ? String(a[i]) : "-");
    return a.length + ":[" + text + "]";
}
function classOf(o) { o.describe = Object.prototype.toString; var text = o.describe(); delete o.describe; return text; }

p("constructor: " + show(new Array(3)) + " " + show(new Array("3")) + " " + show(Array(1, 2)) + " "
    + show(Array()) + " " + show(new Array(undefined)) + " " + show(Array(0)) + " "
    + (new Array(4294967295)).length + " " + classOf(new Array(2)));
var badLengths = [3.5, -1, 4294967296, NaN], refused = 0, last;
for (var i = 0; i < badLengths.length; i++) {
    try { var made = new Array(badLengths[i]); } catch (e) { refused++; last = e; }
}
p("bad lengths: " + refused + " " + last.name + ": " + last.message);

var g = [];
g[5] = 1;
var grows = g.length;
g["05"] = 1;
grows += " " + g.length;
g["5.0"] = 1;
grows += " " + g.length;
g["7"] = 1;
grows += " " + g.length;
g[-1] = 1;
p("grows: " + grows + " " + g.length);
var f = [1, 2, 3, 4, 5];
f.length = 2;
var truncated = f.length + " " + f[4] + " " + f.hasOwnProperty(4) + " " + f;
f[2] = "x";
p("truncated: " + truncated + " " + show(f));
var s = [], lengths = [];
var settings = ["3", -1, 1e10, "x", 2.5, 3];
for (i = 0; i < settings.length; i++) { s.length = settings[i]; lengths.push(s.length); }
var throwing = { valueOf: function () { throw "no length"; } };
try { s.length = throwing; } catch (e) { lengths.push(e + " " + s.length); }
p("set length: " + lengths.join(" "));
var edge1 = [], edge2 = [], edge3 = [];
edge1[2147483646] = 1;
edge2[2147483647] = 1;
edge3[4294967294] = 1;
p("index range: " + edge1.length + " " + edge2.length + " " + edge3.length + " " + edge3[4294967294]);
var two = [1, 2];
p("hidden length: " + keys(two) + " " + (delete two.length));

var mixed = [1, null, undefined, 2];
p("text: " + mixed.toString() + "|" + mixed.join() + "|" + mixed.toLocaleString() + "|" + String(mixed) + "|" + (mixed + ""));
var holes = new Array(3);
holes[1] = "m";
var like = { length: 3, 0: "a", 2: "c", join: Array.prototype.join };
p("join: " + [undefined, "x"].join("-") + "|" + [1, 2].join(null) + "|" + [1, 2].join(undefined) + "|"
    + [].join() + "|" + [1, 2].join(5) + "|" + [1, [2, [3]]] + "|" + holes + "|" + holes.join("+") + "|" + like.join("/"));
// An array met again inside its own text gives the empty text.
var cycle = [1, 2];
cycle[2] = cycle;
var outer = [cycle, 3];
cycle[3] = outer;
p("holds itself: " + cycle + "|" + cycle.join("-") + "|" + outer);

var o = {};
var c1 = [1].concat(2, [3, undefined, 4], o);
var gap = [1, 2, 3];
delete gap[1];
var notArray = { concat: Array.prototype.concat };
var c4 = notArray.concat([1]);
p("concat: " + show(c1) + " " + (c1[4] == o) + " " + show([0].concat(gap)) + " " + show([1].concat(undefined))
    + " " + c4.length + " " + (c4[0] == notArray) + " " + (two.concat() == two));

var empty = [], three = [1, 2, 3], sparse = new Array(3);
sparse[0] = 1;
var pair = { length: 2, 0: "a", 1: "b", pop: Array.prototype.pop };
var bare = { pop: Array.prototype.pop };
p("pop: " + empty.pop() + " " + empty.length + " " + three.pop() + " " + show(three) + " " + sparse.pop() + " "
    + sparse.length + " " + pair.pop() + " " + pair.length + " " + pair.hasOwnProperty(1) + " " + bare.pop() + " " + bare.length);

var pushed = [1, 2];
var plain = { push: Array.prototype.push };
p("push: " + pushed.push(3, 4) + " " + show(pushed) + " " + pushed.push() + " " + plain.push(1, 2) + " " + plain[1] + " " + plain.length);

var r1 = [1, 2, 3], r2 = [1, 2, 3], r3 = [1, 2, 3, 4], r4 = [1, undefined];
delete r2[1];
delete r3[0];
r2.reverse();
r3.reverse();
r4.reverse();
p("reverse: " + r1.reverse() + " " + (r1.reverse() == r1) + " " + show(r2) + " " + show(r3) + " " + show(r4)
    + " " + [].reverse().length + " " + [5].reverse());

var sh = [1, 2, 3], sh2 = [1, 2, 3], shEmpty = [];
delete sh2[1];
var shLike = { length: 2, 0: "a", 1: "b", shift: Array.prototype.shift };
p("shift: " + sh.shift() + " " + show(sh) + " " + shEmpty.shift() + " " + shEmpty.length + " " + sh2.shift() + " " + show(sh2)
    + " " + shLike.shift() + " " + shLike[0] + " " + shLike.hasOwnProperty(1) + " " + shLike.length);

var n = [1, 2, 3, 4], q = [1, 2, 3, 4];
delete q[1];
delete q[3];
var sl = { length: 3, 0: "a", 1: "b", 2: "c", slice: Array.prototype.slice };
p("slice: " + n.slice(-2) + "|" + n.slice(1, -1) + "|" + n.slice(3, 1).length + "|" + n.slice() + "|" + n.slice(1.9) + "|"
    + n.slice("1", "3") + "|" + n.slice(-99, 99) + "|" + n.slice(2, undefined) + " " + show(q.slice(0)) + " "
    + classOf(sl.slice(1)) + " " + sl.slice(1));

// Elements are read through the prototype chain, so an inherited element takes part.
Array.prototype[1] = "p";
var z = new Array(3);
p("inherited: " + show(z.slice(0)) + " " + z.join("-"));
delete Array.prototype[1];
Array.prototype.length = 0;
p("absent: " + typeof Array.prototype.splice + " " + typeof Array.prototype.unshift + " "
    + typeof Array.prototype.indexOf + " " + typeof Array.prototype.forEach);
