// Boolean: the conversion by call and by new, toString and valueOf with their errors, and the
// "length" of 1 that every boolean reads through Boolean.prototype.
function p(x) { WScript.Echo(x + "\n"); }
function attempt(f) {
    try { return f(); } catch (e) { return typeof e == "object" ? e.name + ": " + e.message : "thrown " + e; }
}

p("call " + Boolean() + " " + Boolean("0") + " " + Boolean("") + " " + Boolean(" ") + " "
  + Boolean(NaN) + " " + Boolean(0) + " " + Boolean(-0) + " " + Boolean(null) + " "
  + Boolean(undefined) + " " + Boolean({}) + " " + Boolean(new Boolean(false)) + " "
  + typeof Boolean(1));
var no = new Boolean(false);
p("new " + (new Boolean()).valueOf() + " " + (new Boolean(1)).valueOf() + " " + typeof no + " "
  + (no ? "object is true" : "object is false") + " " + (no.valueOf() ? "value is true" : "value is false"));
p("text " + true.toString() + " " + (false).toString() + " " + (new Boolean("x")).toString() + " "
  + Boolean.prototype.toString() + " " + Boolean.prototype.valueOf() + " " + typeof true.valueOf());
Boolean.prototype.length = 5;
p("length " + (false).length + " " + true.length + " " + no.length + " " + Boolean.prototype.length
  + " " + delete Boolean.prototype.length + " " + Boolean.length + " "
  + Boolean.prototype.toString.length + Boolean.prototype.valueOf.length);

var n = new Number(1);
n.booleanText = Boolean.prototype.toString;
n.booleanValue = Boolean.prototype.valueOf;
p(attempt(function () { return n.booleanText(); }));
p(attempt(function () { return n.booleanValue(); }));
/*===
call false true false true true false false false false true true boolean
new false true object object is true value is false
text true false true false false boolean
length 1 1 1 1 false 1 00
TypeError: Boolean.prototype.toString called on non-Boolean object
TypeError: Boolean.prototype.valueOf called on non-Boolean object
===*/
