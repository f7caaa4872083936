// A -load file that cannot be found ends the run before any later file or the script text.
// args: -load no-such-file.js -load %F "WScript.Echo(2)"
// status: 1
/*=== stderr
error: cannot load no-such-file.js
===*/
WScript.Echo("must not run");
