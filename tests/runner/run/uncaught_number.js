// args: "WScript.Echo(1)" "throw 42" "WScript.Echo(3)"
// status: 1
/*===
1===*/
/*=== stderr
error: uncaught exception - 42
===*/
