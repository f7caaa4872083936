// A load followed by the property or element read that uses it runs as one instruction in
// unchecked code; every kind of object, key and receiver must read as the two would.
/*===
1 2 3 undefined undefined s 4 3 5 9 7 8 inherited 10/undefined/undefined/undefined 20/undefined/undefined/one 30/undefined/undefined/undefined undefined/4/undefined/undefined undefined/undefined/undefined/undefined undefined/undefined/undefined/undefined 20/undefined/undefined/one undefined/undefined/undefined/letter undefined/undefined/undefined/undefined undefined/undefined/undefined/undefined
can't convert undefined to an object line function broken(o) { var k = 1; return o.missing[k]; }
can't convert undefined to an object line function noObject(u) { return u.x; }
===*/
function field(o) { return o.x; }
function size(s) { return s.length; }
function at(list, i) { return list[i]; }
function Shape(x) { this.x = x; }
Shape.prototype.get = function () { return this.x; };
Shape.prototype.y = "inherited";
Shape.prototype.both = function () { return this.x + " " + this.y; };
var out = [];
function add(v) { out[out.length] = "" + v; }
add(field({ x: 1 })); add(field({ y: 0, x: 2 })); add(field(new Shape(3))); add(field("text"));
add(field(5)); add(field(new Shape("s")));
add(size("four")); add(size([1, 2, 3])); add(size(new String("abcde"))); add(size({ length: 9 }));
var s7 = new Shape(7), s8 = new Shape(8);
add(s7.get()); add(s8.both());
var list = [10, 20, 30], holes = [], text = "xyz", obj = { 1: "one", a: "letter" };
holes[3] = 4;
var keys = [0, 1, 2, 3, -1, 1.5, "1", "a", 4294967295, null];
var i;
for (i = 0; i < keys.length; i++)
    add(at(list, keys[i]) + "/" + at(holes, keys[i]) + "/" + at(text, keys[i]) + "/" + at(obj, keys[i]));
WScript.Echo(out.join(" ") + "\n");
function broken(o) { var k = 1; return o.missing[k]; }
try { broken({}); } catch (e) { WScript.Echo(e.message + " line " + e.sourceLine + "\n"); }
function noObject(u) { return u.x; }
try { noObject(undefined); } catch (e) { WScript.Echo(e.message + " line " + e.sourceLine + "\n"); }
