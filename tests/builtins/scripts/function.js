// Function: functions built from parameter and body texts, with and without new; their length,
// prototype and scope; the SyntaxErrors of texts that do not compile; and toString.
/*===
add: 2 5 x1 [object Function]
no texts: 0 undefined
empty first text: 1 7
listed parameters: 3 6
with new: 1 8 true
prototype: true [] [] true
read-only length: 2 false
scope: global from with
arguments: 3
SyntaxError: expected an identifier found a number [1a]
SyntaxError: expected end of input found an identifier [a b]
SyntaxError: expected an identifier found end of input [a,]
SyntaxError: expected end of input found ) [a) { return 1; } function f(]
SyntaxError: expected an expression, found end of input 2 [return x +]
SyntaxError: expected an expression, found } 1 [}]
toString: <<function>> <<function>> <<function>> <<function>> <<function>>
prototype call: undefined 0
===*/
function p(x) { WScript.Echo(x + "\n"); }
function keys(o) { var list = [], k; for (k in o) list.push(k); return "[" + list.sort() + "]"; }
function classOf(o) { o.describe = Object.prototype.toString; var text = o.describe(); delete o.describe; return text; }

var add = Function("a", "b", "return a+b");
p("add: " + add.length + " " + add(2, 3) + " " + add("x", 1) + " " + classOf(add));
var none = Function();
p("no texts: " + none.length + " " + none(1));
p("empty first text: " + Function("", "x", "return x").length + " " + Function("", "x", "return x")(7));
var three = Function("a, b", "c", "return a + b + c");
p("listed parameters: " + three.length + " " + three(1, 2, 3));
var Doubler = new Function("v", "this.v = v * 2;");
var doubled = new Doubler(4);
p("with new: " + Doubler.length + " " + doubled.v + " " + Doubler.prototype.isPrototypeOf(doubled));
p("prototype: " + (add.prototype.constructor == add) + " " + keys(add) + " " + keys(add.prototype)
    + " " + Object.prototype.isPrototypeOf(add.prototype));
add.length = 9;
p("read-only length: " + add.length + " " + (delete add.length));

// The new function keeps the scope chain current where the constructor ran; its own names are
// globals, so only a lookup by name inside a with body reaches that chain.
var where = "global";
var scoped = { where: "from with" };
var outside = Function("with ({}) return where;");
with (scoped) { var inside = Function("with ({}) return where;"); }
p("scope: " + outside() + " " + inside());
p("arguments: " + Function("return arguments.length")(1, 2, 3));

var bad = [["1a", "return 1"], ["a b", "return 1"], ["a,", "return 1"],
    ["a) { return 1; } function f(", "return 2"]];
for (var i = 0; i < bad.length; i++) {
    try { Function(bad[i][0], bad[i][1]); p("compiled " + i); }
    catch (e) { p(e.name + ": " + e.message + " [" + e.sourceLine + "]"); }
}
try { Function("x", "var y = 1;\nreturn x +"); } catch (e) { p(e.name + ": " + e.message + " " + e.lineNumber + " [" + e.sourceLine + "]"); }
try { Function("}"); } catch (e) { p(e.name + ": " + e.message + " " + e.lineNumber + " [" + e.sourceLine + "]"); }

p("toString: " + add.toString() + " " + String(p) + " " + Array.prototype.join.toString() + " "
    + (Function.prototype + "") + " " + Function.prototype.toString());
p("prototype call: " + Function.prototype() + " " + Function.prototype.length);
