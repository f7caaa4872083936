// An error made without a message reports the empty text of Error.prototype.
// status: 1
/*=== stderr
error: 
===*/
throw Error();
