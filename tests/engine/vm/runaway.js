// Recursion that never ends stops with an internal error, also when native code and eval sit
// between the calls.
// status: 1
/*=== stderr
Internal error detected
===*/
function viaSort(a, b) { [2, 1].sort(viaSort); return 0; }
try { viaSort(); } catch (e) { WScript.Echo("caught, but must not be\n"); }
