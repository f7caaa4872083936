// A thrown value that is not an error object is reported as an uncaught exception.
// status: 1
try { throw "first"; } catch (e) { WScript.Echo(e + " caught\n"); }
throw 42;
/*===
first caught
===*/
/*=== stderr
error: uncaught exception - 42
===*/
