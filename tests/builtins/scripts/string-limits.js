// Texts grow to 2^27 characters and no further: doubling stops with a RangeError instead of
// exhausting memory, and huge positions on the long text are clamped, not allocated.
function p(x) { WScript.Echo(x + "\n"); }
var s = "x", doublings = 0;
try {
    for (;;) { s += s; doublings++; }
} catch (e) {
    p(doublings + " " + s.length + " " + e.name + ": " + e.message);
}
try { s.concat("y"); } catch (e) { p(e.name + ": " + e.message); }
p(s.indexOf("x", 1e300) + " " + s.lastIndexOf("x", 1e300) + " " + s.slice(-1e300, 3) + " "
  + s.substring(1e300, s.length - 2) + " " + s.charAt(s.length - 1));
/*===
27 134217728 RangeError: concatenation: the result would be longer than 134217728 characters
RangeError: String.prototype.concat: the result would be longer than 134217728 characters
-1 134217727 xxx xx x
===*/
