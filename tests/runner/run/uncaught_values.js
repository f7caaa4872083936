// A thrown value that is not an error object is shown as text.
// args: -load %F "throw 42"
// status: 1
/*=== stderr
error: uncaught exception - [object Object]
===*/
throw { reason: 1 };
