// An uncaught error ends the run with its message and status 1, also when the thrown object
// only inherits from an error through its prototype chain.
// status: 1
/*===
before
===*/
/*=== stderr
error: inherited message
===*/
function AppError() { }
AppError.prototype = new TypeError("inherited message");
WScript.Echo("before\n");
throw new AppError();
WScript.Echo("after\n");
