// An uncaught error reports its message; the statements after it do not run.
// status: 1
/*===
before===*/
/*=== stderr
error: not a function object
===*/
WScript.Echo("before");
var notAFunction = 1;
notAFunction();
WScript.Echo("after");
