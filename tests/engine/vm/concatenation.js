// Concatenation: a long text grows its buffer in place, and every earlier value keeps its own
// text, whichever of them is extended, read or extended again.
/*===
300 302 301 301
bcXZ bcY bcX abc
1 251 501 751 0 0 0 0 9
600 true true
true 5 true
n0 6553565536 -1 1.5 nullxtrue
abc300 300abc
===*/
var base = "", i;
for (i = 0; i < 100; i++) base += "abc";
var a = base + "X", b = base + "Y";
var snapshot = a;
a += "Z";
WScript.Echo(base.length + " " + a.length + " " + b.length + " " + snapshot.length + "\n");
WScript.Echo(a.substring(298) + " " + b.substring(298) + " " + snapshot.substring(298) + " " +
             base.substring(297) + "\n");

var s = "", seen = [], out = "";
for (i = 0; i < 1000; i++) {
  s += String.fromCharCode(48 + i % 10);
  if (i % 250 == 0) seen.push(s);
}
for (i = 0; i < seen.length; i++) out += seen[i].length + " ";
for (i = 0; i < seen.length; i++) out += seen[i].charAt(seen[i].length - 1) + " ";
WScript.Echo(out + s.charAt(999) + "\n");

var d = base;
d = d + d;
WScript.Echo(d.length + " " + (d.substring(0, 300) == base) + " " + (d.substring(300) == base) + "\n");

var k1 = base + "key", k2 = base + "key", o = {};
o[k1] = 5;
WScript.Echo((k1 == k2) + " " + o[k2] + " " + (k1 < k1 + "a") + "\n");

WScript.Echo("n" + 0 + " " + ("" + 65535) + ("" + 65536) + " " + (-1 + "") + " " + (1.5 + "") +
             " " + (null + "x") + (true + "") + "\n");
WScript.Echo(new String("abc") + base.length + " " + base.length + new String("abc") + "\n");
