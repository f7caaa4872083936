// Lengths far beyond the stored elements: the methods work over what is stored, and what would
// need memory or time in proportion to the length is refused with a RangeError.
/*===
constructed: 4294967295 [] 0 0 0 undefined 4294967294 4294967294
set on empty: [] 1000000002 1000000002 2 3:[-,1,2]
sparse: -x-y 2 x,y x y true 999999999
beyond the last index: 0 [] 0 1 5
past the length: 4294967297 4294967295 1 2
RangeError: Array.prototype.toString: the result would be longer than 134217728 characters
RangeError: Array.prototype.sort: length 1000000000 is above the limit of 262144
RangeError: Array.prototype.shift: length 1000000000 is too large for a sparse array
RangeError: array too long for a native buffer
byte array from a sparse array: true
===*/
function p(x) { WScript.Echo(x + "\n"); }
function show(a) {
    var text = "", i;
    for (i = 0; i < a.length; i++)
        text += (i ? "," : "") + (a.hasOwnProperty(i) ? String(a[i]) : "-");
    return a.length + ":[" + text + "]";
}

var full = new Array(4294967295);
p("constructed: " + full.length + " [" + full.join() + "] " + full.concat().length + " " + full.slice(0).length
    + " " + full.slice(-2).length + " " + full.pop() + " " + full.length + " " + full.reverse().length);
var set = [];
set.length = 1e9;
p("set on empty: [" + set.join("-") + "] " + set.push(1, 2) + " " + set.length + " " + set[1000000001] + " " + show(set.slice(-3)));
var sparse = [];
sparse.length = 1e9;
sparse[5] = "x";
sparse[999999990] = "y";
var joined = sparse.join("-"), spread = sparse.concat();
sparse.reverse();
p("sparse: " + joined + " " + spread.length + " " + spread + " " + sparse[999999994] + " " + sparse[9] + " "
    + !sparse.hasOwnProperty(5) + " " + (sparse.pop(), sparse.length));
var beyond = [];
beyond[4294967294] = 1;
p("beyond the last index: " + beyond.length + " [" + beyond.join() + "] " + beyond.concat(beyond).length + " "
    + beyond.push(5) + " " + beyond[0]);
var top = new Array(4294967295);
p("past the length: " + top.push(1, 2) + " " + top.length + " " + top[4294967295] + " " + top[4294967296]);

var refusals = [
    function (a) { return a.toString(); },
    function (a) { return a.sort(); },
    function (a) { return a.shift(); },
    function (a) { return QVSys.crc32(a); }
];
for (var i = 0; i < refusals.length; i++) {
    var huge = [];
    huge.length = 1e9;
    huge[3] = 1;
    try { refusals[i](huge); p("no error from refusal " + i); } catch (e) { p(e.name + ": " + e.message); }
}

// A host method sees a long sparse array as its bytes, the missing ones zero.
var sparseBytes = [], denseBytes = [];
sparseBytes.length = 70000;
sparseBytes[7] = 300;
sparseBytes[69999] = 255;
for (i = 0; i < 70000; i++) denseBytes[i] = 0;
denseBytes[7] = 300;
denseBytes[69999] = 255;
p("byte array from a sparse array: " + (QVSys.crc32(sparseBytes) == QVSys.crc32(denseBytes)));
