// Error objects: each constructor's name and message, with and without new; what is own and what
// for-in lists; the text an error converts to; and which constructor the engine's failures use.
/*===
Error m0 [object Error] Error c0 1 false true true
EvalError m1 [object Error] EvalError c1 1 false true true
RangeError m2 [object Error] RangeError c2 1 false true true
ReferenceError m3 [object Error] ReferenceError c3 1 false true true
SyntaxError m4 [object Error] SyntaxError c4 1 false true true
TypeError m5 [object Error] TypeError c5 1 false true true
no message: false [] false
number message: number 43
class: [object Error] [object Error] [object Error]
keys: [message] [message] [message,name] [message,name] []
located: %D/error.js 39 [var located = missing.property;]
caught keys: [fileName,lineNumber,message,name,sourceLine]
made by a script: false false
TypeError: can't convert undefined to an object
TypeError: can't convert null to an object
TypeError: type error: no default value
TypeError: not a function object
TypeError: new must be given a constructor object
TypeError: Array.prototype.toString requires an array
TypeError: Date object required
TypeError: Number.prototype.valueOf called on non-Number object
RangeError: bad length in array constructor
RangeError: fraction digits should 0 through 20
SyntaxError: expected an expression, found end of input
Error: Array.prototype.sort argument is not a function
Error: array argument expected
Error: QVSys.prototype.fileExists failed to generate an object
eval swallows: undefined
names: Error Range Error true
===*/
function p(x) { WScript.Echo(x + "\n"); }
function keys(o) { var list = [], k; for (k in o) list.push(k); return "[" + list.sort() + "]"; }
var missing;
var located;
try {
var located = missing.property;
} catch (e) { located = e; }

var kinds = [Error, EvalError, RangeError, ReferenceError, SyntaxError, TypeError];
for (var i = 0; i < kinds.length; i++) {
    var made = new (kinds[i])("m" + i), called = kinds[i]("c" + i);
    p(made.name + " " + made.message + " " + String(made) + " " + called.name + " "
        + called.message + " " + kinds[i].length + " " + made.hasOwnProperty("name") + " "
        + (made.constructor == kinds[i]) + " " + Error.prototype.isPrototypeOf(called));
}
var plain = new Error(), undef = new Error(undefined), num = new Error(42);
p("no message: " + plain.hasOwnProperty("message") + " [" + plain.message + "] "
    + undef.hasOwnProperty("message"));
p("number message: " + typeof num.message + " " + (num.message + 1));

// Error prototypes and constructors are of the error classes, whose class name is Error.
function classOf(o) { o.describe = Object.prototype.toString; var text = o.describe(); delete o.describe; return text; }
p("class: " + classOf(new TypeError("t")) + " " + classOf(RangeError.prototype) + " " + classOf(SyntaxError));

// Error.prototype's and EvalError.prototype's names are DontEnum, the other four are not.
p("keys: " + keys(new Error("e")) + " " + keys(new EvalError("e")) + " "
    + keys(new SyntaxError("s")) + " " + keys(new TypeError("t")) + " " + keys(new Error()));

p("located: " + located.fileName + " " + located.lineNumber + " [" + located.sourceLine + "]");
p("caught keys: " + keys(located));
var scripted = new RangeError("r");
p("made by a script: " + scripted.hasOwnProperty("lineNumber") + " " + scripted.hasOwnProperty("fileName"));

var failures = [
    function () { var u; return u.x; },
    function () { var n = null; return n.x; },
    function () { var o = { valueOf: null, toString: null }; return o + 1; },
    function () { var notAFunction = 1; return notAFunction(); },
    function () { var five = 5; return new five(); },
    function () { var o = { f: Array.prototype.toString }; return o.f(); },
    function () { var o = { f: Date.prototype.getTime }; return o.f(); },
    function () { var o = { f: Number.prototype.valueOf }; return o.f(); },
    function () { return new Array(-1); },
    function () { return (1).toFixed(21); },
    function () { return Function("return +"); },
    function () { return [2, 1].sort(Math.max); },
    function () { return QVSys.crc32(5); },
    function () { return new QVSys.fileExists("x"); }
];
for (i = 0; i < failures.length; i++) {
    try { failures[i](); p("no error from failure " + i); } catch (e) { p(e.name + ": " + e.message); }
}
p("eval swallows: " + eval("1 +"));

// The names live on the prototypes: RangeError's may be changed there, Error's may not be deleted.
RangeError.prototype.name = "Range";
p("names: " + (new Error("x")).name + " " + (new RangeError("x")).name + " "
    + (delete Error.prototype.name ? "deleted" : (new Error("x")).name) + " "
    + (delete RangeError.prototype.name));
