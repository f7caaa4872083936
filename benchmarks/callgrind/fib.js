// Cut down from the suite's fib.js for callgrind: fib(22) and tak(14, 9, 4).
// fib: recursive calls. A doubly recursive Fibonacci and the Takeuchi function:
// call and return of small script functions with one to three arguments, a compare
// and a branch in each, recursion a few dozen frames deep.

function fib(n) {
  if (n < 2) return n;
  return fib(n - 1) + fib(n - 2);
}

function tak(x, y, z) {
  if (y < x) return tak(tak(x - 1, y, z), tak(y - 1, z, x), tak(z - 1, x, y));
  return z;
}

var total = 0;
var round;
for (round = 0; round < 3; round++) {
  total = total + fib(22);
  total = total + tak(14, 9, 4);
}

WScript.Echo("fib " + total + "\n");
