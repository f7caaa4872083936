// A sort calls its comparator many times; after the first call the same function runs without
// the whole way through a call, and every call must still see what the first one does.
/*===
this: true fresh locals: true sorted: 1,2,3,4,5,6,7,8,9,10,11,12
third: undefined undefined arguments: 2 2 sorted: 12,11,10,9,8,7,6,5,4,3,2,1
nested: 6 inner sorts, outer 1,3,4
thrown at call 7: stop; caller's locals 41 x; then not thrown 4
grown while sorting: 15 elements, no crash
===*/
function p(x) { WScript.Echo(x + "\n"); }
function numbers() { return [7, 3, 12, 1, 9, 5, 11, 2, 8, 4, 10, 6]; }

var a = numbers(), alwaysSelf = true, alwaysFresh = true;
a.sort(function (x, y) {
    var local;
    if (local != undefined) alwaysFresh = false;
    local = x;
    if (this != a) alwaysSelf = false;
    return x - y;
});
p("this: " + alwaysSelf + " fresh locals: " + alwaysFresh + " sorted: " + a);

// More parameters than arguments, and a comparator that reads its arguments object.
var thirds = [], lengths = [];
var b = numbers();
b.sort(function (x, y, z) { thirds.push(z); return y - x; });
b.sort(function (x, y) { lengths.push(arguments.length); return arguments[1] - arguments[0]; });
p("third: " + thirds[0] + " " + thirds[thirds.length - 1] + " arguments: " + lengths[0] + " " +
  lengths[lengths.length - 1] + " sorted: " + b);

// A comparator that sorts too.
var inner = 0;
var c = [[9, 6, 3], [3, 1, 2], [6, 5, 4]];
c.sort(function (x, y) { x.sort(); y.sort(); inner += 2; return x[0] - y[0]; });
p("nested: " + inner + " inner sorts, outer " + c[0][0] + "," + c[1][0] + "," + c[2][0]);

// An exception from a later call leaves the calling function's registers and stack as they were.
function sortUntil(limit) {
    var kept = 41, name = "x", calls = 0;
    try {
        numbers().sort(function (x, y) { if (++calls == limit) throw "stop"; return x - y; });
    } catch (e) {
        return "thrown at call " + calls + ": " + e + "; caller's locals " + kept + " " + name;
    }
    return "not thrown";
}
p(sortUntil(7) + "; then " + sortUntil(1000) + " " + [1, 2, 3].concat(4).length);

var d = numbers(), grew = 0;
d.sort(function (x, y) { if (grew < 3) { d.push(0); grew++; } return x - y; });
p("grown while sorting: " + d.length + " elements, no crash");
