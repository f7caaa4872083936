// String: the constructor, fromCharCode, String objects and every String.prototype method at
// ordinary, out-of-range, negative, NaN and missing arguments.
function p(x) { WScript.Echo(x + "\n"); }
function attempt(f) {
    try { return f(); } catch (e) { return typeof e == "object" ? e.name + ": " + e.message : "thrown " + e; }
}

p("ctor " + String() + " " + String(null) + " " + String(12.5) + " " + String(true) + " "
  + String(1/3) + " " + typeof String("a") + " " + typeof (new String("a")));
p("new " + (new String()).valueOf() + " " + (new String(5)).length + " " + (new String("ab")).toString());
p("fromCharCode " + String.fromCharCode(72, 105) + " [" + String.fromCharCode() + "] "
  + String.fromCharCode(65601) + String.fromCharCode("66") + String.fromCharCode(67.9) + " "
  + String.fromCharCode(-1).charCodeAt(0) + " " + String.fromCharCode(NaN).charCodeAt(0) + " "
  + String.fromCharCode(65536 * 3 + 97, 4294967394).length);
var s = new String("abc");
s.length = 1;
s.tag = 7;
p("length " + "abc".length + " " + "".length + " " + s.length + " " + s.tag + " "
  + String.prototype.length + " " + s[1]);
p("declared " + String.length + String.fromCharCode.length + String.prototype.charAt.length
  + String.prototype.concat.length + String.prototype.indexOf.length
  + String.prototype.lastIndexOf.length + String.prototype.slice.length
  + String.prototype.split.length + String.prototype.substring.length
  + String.prototype.trim.length);

p("charAt [" + "abc".charAt(3) + "][" + "abc".charAt(1.7) + "][" + "abc".charAt(-1) + "]["
  + "abc".charAt() + "][" + "abc".charAt(NaN) + "][" + "abc".charAt(Infinity) + "]["
  + "abc".charAt(-0.5) + "][" + "abc".charAt("2") + "][" + "abc".charAt(1e300) + "]");
p("charCodeAt " + "abc".charCodeAt(-1) + " " + "abc".charCodeAt(1) + " " + "abc".charCodeAt()
  + " " + "abc".charCodeAt(3) + " " + "abc".charCodeAt(-Infinity));
p("concat " + "ab".concat(1, undefined, null) + " " + "ab".concat() + " " + "".concat([1, 2], true));

var six = "abcabc";
p("indexOf " + six.indexOf("c", 3) + " " + "abc".indexOf("", 5) + " " + "abc".indexOf("", 3) + " "
  + six.indexOf("a", 1e10) + " " + six.indexOf("a", -5) + " " + six.indexOf("bc") + " "
  + "abc".indexOf("abcd") + " " + "abc".indexOf() + " " + "xundefined".indexOf() + " "
  + six.indexOf("b", NaN) + " " + six.indexOf("a", Infinity) + " " + six.indexOf("a", -Infinity)
  + " " + six.indexOf("c", 2.9) + " " + six.indexOf("a", 2147483648) + " " + six.indexOf("", 6));
p("lastIndexOf " + six.lastIndexOf("b") + " " + six.lastIndexOf("b", 3) + " "
  + six.lastIndexOf("a", 1e10) + " " + six.lastIndexOf("a", -3) + " " + six.lastIndexOf("c", -3)
  + " " + "abc".lastIndexOf("") + " " + "ab".lastIndexOf("abc") + " " + six.lastIndexOf("c", NaN)
  + " " + six.lastIndexOf("a", NaN) + " " + six.lastIndexOf("", 1) + " "
  + six.lastIndexOf("abc", 5) + " " + six.lastIndexOf("bc", 4) + " " + six.lastIndexOf("x")
  + " " + six.lastIndexOf("c", -Infinity) + " " + six.lastIndexOf("a", 1.9));
p("localeCompare " + ("a".localeCompare("b") < 0) + " " + "a".localeCompare("a") + " "
  + ("b".localeCompare("a") > 0));
// Without regular expressions, match, replace and search take their pattern as plain text.
p("plain patterns " + "a.b.c".replace(".", "-") + " " + "abc".replace("x", "y") + " "
  + "abc".search("c") + " " + "abc".search("x") + " " + "abc".match("x") + " "
  + "abc".match("bc")[0] + " " + "abc".match("bc").length);

var word = "abcdef";
p("slice [" + word.slice(-2) + "][" + word.slice(2, -1) + "][" + "abc".slice(0, 1e10) + "]["
  + "abc".slice(-Infinity, Infinity) + "][" + "abc".slice(2, 1) + "][" + "abc".slice(-1e20, -1e20)
  + "][" + "abc".slice() + "][" + "abc".slice(NaN, NaN) + "][" + "abc".slice(1, undefined) + "]["
  + "abc".slice(-5, 2) + "][" + "abc".slice(2147483648) + "][" + "abc".slice(-2147483649, -1) + "]");
p("substring [" + word.substring(4, 1) + "][" + "abc".substring(-5, 2) + "]["
  + "abc".substring(1) + "][" + "abc".substring(NaN, 1e300) + "][" + "abc".substring(2, 2) + "]["
  + "abc".substring(Infinity) + "][" + "abc".substring() + "][" + "abc".substring(2, -1) + "]");

function pieces(a) { return a.length + ":" + a.join("|"); }
var none = "abc".split("");
p("split " + pieces("a,,b,".split(",")) + " " + pieces(none) + " " + pieces("xundefinedy".split())
  + " " + pieces("a--b---c".split("--")) + " " + pieces("abc".split(",")) + " "
  + pieces("a,b".split(",", 1)) + " " + pieces("".split(",")) + " " + pieces(",,,".split(","))
  + " " + none.hasOwnProperty("length") + " " + typeof none);

p("case " + "MiXed 1".toLowerCase() + " " + "MiXed 1".toUpperCase() + " "
  + "MiXed".toLocaleLowerCase() + " " + "MiXed".toLocaleUpperCase() + " "
  + String.fromCharCode(196).toLowerCase().charCodeAt(0) + " "
  + String.fromCharCode(228).toUpperCase().charCodeAt(0));
p("trim [" + "  a   b  ".trim() + "][" + "\t\n x \r".trim() + "][" + "".trim() + "]["
  + "a\t\tb".trim() + "]");

// The text methods work on the text of any this value; toString and valueOf do not.
var n = new Number(42);
n.charAt = String.prototype.charAt;
n.toText = String.prototype.toString;
n.valueOfText = String.prototype.valueOf;
p("other this " + n.charAt(1) + " " + "abc".toString() + " " + "abc".valueOf() + " ["
  + String.prototype.toString() + "]");
p(attempt(function () { return n.toText(); }));
p(attempt(function () { return n.valueOfText(); }));
var plain = { concat: String.prototype.concat, toString: function () { return "me"; } };
p("plain object " + plain.concat("!"));
var failing = { toString: function () { throw "from toString"; } };
p(attempt(function () { return "abc".indexOf(failing); }) + " " + attempt(function () { return "abc".charAt(failing); }));
/*===
ctor undefined null 12.5 true 0.333333 string object
new undefined 1 ab
fromCharCode Hi [] ABC 65535 0 2
length 3 0 3 7 0 undefined
declared 1010222220
charAt [][b][][a][a][][a][c][]
charCodeAt NaN 98 97 NaN NaN
concat ab1undefinednull ab 1,2true
indexOf 5 -1 3 -1 0 1 -1 -1 1 1 -1 0 2 -1 6
lastIndexOf 4 1 3 0 -1 3 -1 -1 0 1 3 4 -1 -1 0
localeCompare true 0 true
plain patterns a-b.c abc 2 -1 null bc 1
slice [ef][cde][abc][abc][][][abc][][bc][ab][][ab]
substring [bcd][ab][bc][abc][][][abc][ab]
split 2:a|b 0: 2:x|y 3:a|b|-c 1:abc 2:a|b 0: 0: false object
case mixed 1 MIXED 1 mixed MIXED 228 196
trim [a b][x][][a b]
other this 2 abc abc []
TypeError: String.prototype.toString called on non-String object
TypeError: String.prototype.valueOf called on non-String object
plain object me!
thrown from toString thrown from toString
===*/
