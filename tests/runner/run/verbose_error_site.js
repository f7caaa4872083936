// With -verbose an uncaught error is followed by where it was raised: the file, the line and
// the line's text (trimmed), here a call of a non-function two calls deep.
// args: -verbose -load %F
// status: 1
/*===
loading: %D/verbose_error_site.js
===*/
/*=== stderr
error: not a function object
  at %D/verbose_error_site.js:15: return notAFunction();
===*/
var notAFunction = 1;

function inner() {
    return notAFunction();
}

function outer() {
    return inner() + 1;
}

outer();
