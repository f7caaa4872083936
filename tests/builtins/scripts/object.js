// Object: what Object(v) and new Object(v) answer, the class names Object.prototype.toString
// shows, the own, prototype and enumerability queries, and for-in over built-in objects.
/*===
fresh: true true [] false
wrapped: [object Number] 5 6 [object String] 2 ab [object Boolean] true
same object: true true true
[object Object] [object Array] [object Error] [object global] [object Math] [object Date]
[object String] [object Number] [object Boolean] [object Function] [object Function] [object Array]
[object Math] [object Object] [object Error] [object global] [object WScript] [object QVSys]
[object Object] [object Array]
hasOwnProperty: false true true true true false false
isPrototypeOf: true false true false true false
propertyIsEnumerable: false true false false true false
hidden: [] [] [] [] [] [name] [] [] [] []
script: [x,y] [] []
globals: []
after delete: [a,c]
===*/
function p(x) { WScript.Echo(x + "\n"); }
function keys(o) { var list = [], k; for (k in o) list.push(k); return "[" + list.sort() + "]"; }
function classOf(o) { o.describe = Object.prototype.toString; var text = o.describe(); delete o.describe; return text; }

var fresh = [Object(), Object(null), new Object(undefined), new Object()];
var allFresh = true;
for (var i = 0; i < fresh.length; i++)
    allFresh = allFresh && Object.prototype.isPrototypeOf(fresh[i]) && classOf(fresh[i]) == "[object Object]";
p("fresh: " + allFresh + " " + (fresh[0].constructor == Object) + " " + keys(fresh[3]) + " " + (fresh[0] == fresh[1]));
var five = Object(5), text = new Object("ab"), yes = Object(true);
p("wrapped: " + classOf(five) + " " + five.valueOf() + " " + (five + 1) + " " + classOf(text) + " "
    + text.length + " " + text.valueOf() + " " + classOf(yes) + " " + yes.valueOf());
var o = { k: 1 };
p("same object: " + (Object(o) == o) + " " + (new Object(o) == o) + " " + (o.valueOf() == o));

// Built-in functions have the class of the built-in that implements them.
var samples = [{}, [], new TypeError("t"), this, Math, new Date(0),
    new String("s"), new Number(1), new Boolean(false), function () { }, Function.prototype,
    Array.prototype.join, Math.max, Object, TypeError, parseInt,
    WScript.Echo, QVSys.fileExists, QVSys, Array.prototype];
var line = "";
for (i = 0; i < samples.length; i++) {
    line += (i % 6 ? " " : "") + classOf(samples[i]);
    if (i % 6 == 5 || i == samples.length - 1) { p(line); line = ""; }
}
var toLocale = { f: Object.prototype.toLocaleString };
if (toLocale.f() != "[object Object]") p("toLocaleString differs");

p("hasOwnProperty: " + o.hasOwnProperty("toString") + " " + Object.prototype.hasOwnProperty("toString")
    + " " + o.hasOwnProperty("k") + " " + [5].hasOwnProperty(0) + " " + [5].hasOwnProperty("length")
    + " " + [5].hasOwnProperty(1) + " " + o.hasOwnProperty());
p("isPrototypeOf: " + Object.prototype.isPrototypeOf([]) + " " + o.isPrototypeOf(o) + " "
    + Function.prototype.isPrototypeOf(Object) + " " + Object.prototype.isPrototypeOf(5) + " "
    + Error.prototype.isPrototypeOf(new SyntaxError("s")) + " " + Object.prototype.isPrototypeOf());
p("propertyIsEnumerable: " + Object.prototype.propertyIsEnumerable("toString") + " "
    + o.propertyIsEnumerable("k") + " " + o.propertyIsEnumerable("toString") + " "
    + [1].propertyIsEnumerable("length") + " " + [1].propertyIsEnumerable(0) + " "
    + Error.prototype.propertyIsEnumerable("message"));

// Methods, constructors, "length", "prototype", "constructor" and "help" are all DontEnum;
// RangeError.prototype's own name is the one exception.
p("hidden: " + keys(Object.prototype) + " " + keys(Array.prototype) + " " + keys(Function.prototype)
    + " " + keys(Object) + " " + keys(Error.prototype) + " " + keys(RangeError.prototype) + " "
    + keys(Array.prototype.join) + " " + keys(QVSys) + " " + keys(QVSys.fileExists) + " " + keys(Math.max));
function F() { this.x = 1; }
F.prototype.y = 2;
p("script: " + keys(new F()) + " " + keys(F) + " " + keys(F.prototype.constructor.prototype.constructor));
var builtinGlobals = ["NaN", "Infinity", "undefined", "eval", "parseInt", "load", "Object", "Function",
    "Array", "String", "Date", "Math", "Error", "EvalError", "TypeError", "WScript", "QVSys",
    "BinaryFile", "ElfFile"];
var seen = [];
for (var name in this)
    for (var j = 0; j < builtinGlobals.length; j++)
        if (name == builtinGlobals[j]) seen.push(name);
p("globals: [" + seen + "]");

var d = { a: 1, b: 2, c: 3 };
delete d.b;
p("after delete: " + keys(d));
