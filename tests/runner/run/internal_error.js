// An internal fault such as a runaway recursion is not a script error: no catch sees it, and the
// run ends with the one fixed message.
// args: "WScript.Echo(1)" "function f() { f(); }" "try { f(); } catch (e) { WScript.Echo('caught'); }"
// status: 1
/*===
1===*/
/*=== stderr
Internal error detected
===*/
