// Array.prototype.sort: the text order without a comparator, a comparator's answers, where
// undefined and missing elements go, the shell sort's order of equal elements, and what is
// refused as a comparator.
/*===
text order: 1,10,9 -1,0,1,2,3,4,5 1,10,11,12,2,3,4,5,6,7,8,9 ,B,a,ab,b a,b,,undefined
comparator: 1,9,10 2,1,3 3,1,2 true
undefined last: 3:[1,3,-] 5:[x,y,-,-,-] 3:[a,b,c]
equal keys, 5 elements: 1.1,1.2,1.3,2.1,2.2
equal keys, 7 elements: 1.4,1.1,1.2,1.3,2.1,2.2,2.3 after 16 comparisons
arguments: (1,2) true
abandoned: stop 3,1,2
Error: Array.prototype.sort argument is not a function (6 refused, also on an empty array: true)
empty: 0 1
===*/
function p(x) { WScript.Echo(x + "\n"); }
function show(a) {
    var text = "", i;
    for (i = 0; i < a.length; i++)
        text += (i ? "," : "") + (a.hasOwnProperty(i) ? String(a[i]) : "-");
    return a.length + ":[" + text + "]";
}

// Elements compare as texts, code unit by code unit, a prefix first; null is the text "null"
// (and is shown as the empty text by toString).
p("text order: " + [10, 9, 1].sort() + " " + [5, 4, 3, 2, 1, 0, -1].sort() + " "
    + [12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1].sort() + " " + ["b", "B", "ab", "a", ""].sort() + " "
    + [undefined, "b", null, "a"].sort());
var numeric = [10, 9, 1];
var returned = numeric.sort(function (a, b) { return a - b; });
p("comparator: " + numeric + " " + [3, 1, 2].sort(function () { return "1"; }) + " "
    + [3, 1, 2].sort(function () { return NaN; }) + " " + (returned == numeric));

// Undefined values and holes collect at the end, where they become absent.
var holes = new Array(5);
holes[1] = "y";
holes[4] = "x";
var like = { length: 3, 0: "c", 1: "a", 2: "b", sort: Array.prototype.sort };
p("undefined last: " + show([3, undefined, 1].sort()) + " " + show(holes.sort()) + " " + show(like.sort()));

// Only the integer part is compared. Up to six elements the single pass with gap 1 keeps equal
// elements in order; from seven on the first pass with gap 2 can move one past its equals.
function byIntegerPart(a, b) { return Math.floor(a) - Math.floor(b); }
p("equal keys, 5 elements: " + [2.1, 1.1, 2.2, 1.2, 1.3].sort(byIntegerPart));
var calls = 0;
var seven = [2.1, 1.1, 2.2, 1.2, 2.3, 1.3, 1.4].sort(function (a, b) { calls++; return byIntegerPart(a, b); });
p("equal keys, 7 elements: " + seven + " after " + calls + " comparisons");

var seen = "", self;
var ab = [1, 2];
ab.sort(function (a, b) { seen += "(" + a + "," + b + ")"; self = this; return a - b; });
p("arguments: " + seen + " " + (self == ab));

var partly = [3, 2, 1], count = 0;
try { partly.sort(function (a, b) { if (++count == 2) throw "stop"; return a - b; }); }
catch (e) { p("abandoned: " + e + " " + partly); }

var refused = [Math.max, Array.prototype.join, 5, "f", null, {}], errors = 0, last;
for (var i = 0; i < refused.length; i++) {
    try { [2, 1].sort(refused[i]); } catch (e) { errors++; last = e; }
}
var emptyRefused = false;
try { [].sort(Math.max); } catch (e) { emptyRefused = e.message == last.message; }
p(last.name + ": " + last.message + " (" + errors + " refused, also on an empty array: " + emptyRefused + ")");
p("empty: " + [].sort().length + " " + [1].sort(undefined));
