// -verbose announces each step on the standard output before it runs.
// args: -verbose -define v=w -load %F "WScript.Echo(v)" "WScript.Echo(2)"
/*===
defining: v=w
loading: %D/verbose.js
loaded
executing: WScript.Echo(v)
WScript.Echo(2)
w2===*/
WScript.Echo("loaded\n");
