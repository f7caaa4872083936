// status: 1
/*===
before
===*/
/*=== stderr
error: not a function object
===*/
WScript.Echo("before\n");
var notAFunction = 1;
notAFunction();
WScript.Echo("after\n");
