// An error that no try catches ends the run with its message and status 1; the statements
// after it do not run.
// status: 1
WScript.Echo("before\n");
function f() { return undefined.property; }
f();
WScript.Echo("after\n");
/*===
before
===*/
/*=== stderr
error: can't convert undefined to an object
===*/
