// A -load file that cannot be found stops the run before the script words.
// args: -load no_such_file.js WScript.Echo(1)
// status: 1
/*=== stderr
error: cannot load no_such_file.js
===*/
