// Properties and methods of primitive texts. Built-in String methods run without making a
// wrapper object, yet whatever a script can see behaves as if the text had been wrapped.
/*===
5 e 111 HELLO 9786 true
object object 5 c helloabc
2 object y 1
[ 2 3 2 object ab
a 2
1 [bc] 2
T undefined 1
not a function object
===*/
var s = "hello";
WScript.Echo(s.length + " " + s.charAt(1) + " " + s.charCodeAt(4) + " " + s.toUpperCase() + " " +
             "\u263a".charCodeAt(0) + " " + ("x\u263ay".charAt(1) == "\u263a") + "\n");

// A script method on String.prototype gets a String object as this, and may keep it.
var kept = [];
String.prototype.keep = function () { kept.push(this); return typeof this; };
WScript.Echo(s.keep() + " " + "abc".keep() + " " + kept[0].length + " " + kept[1].charAt(2) + " " +
             (kept[0] + kept[1]) + "\n");

// So does a built-in method of another class.
String.prototype.asArray = Array.prototype.concat;
var parts = "xy".asArray(1);
WScript.Echo(parts.length + " " + typeof parts[0] + " " + parts[0].charAt(1) + " " + parts[1] + "\n");

// A replaced toString gives the text the built-in methods work on, and sees the wrapper.
var seen = [], builtin = String.prototype.toString;
String.prototype.toString = function () { seen.push(this); return "[" + this.valueOf() + "]"; };
WScript.Echo("ab".charAt(0) + " " + "ab".length + " " + "ab".indexOf("]") + " " + seen.length +
             " " + typeof seen[0] + " " + seen[0].valueOf() + "\n");
String.prototype.toString = builtin;
WScript.Echo("ab".charAt(0) + " " + seen.length + "\n");

// A toString replaced while an argument converts is used from the next call on: the text is
// read before the arguments.
var swap = { toString: function () {
  String.prototype.toString = function () { return "[" + this.valueOf() + "]"; };
  return "b";
} };
WScript.Echo("abc".indexOf(swap) + " " + "bc".concat("") + " " + "abc".indexOf("b") + "\n");
String.prototype.toString = builtin;

String.prototype.tag = "T";
WScript.Echo("q".tag + " " + typeof "q".missing + " " + "q".length + "\n");
delete String.prototype.charAt;
try {
  "q".charAt(0);
} catch (e) {
  WScript.Echo(e.message + "\n");
}
