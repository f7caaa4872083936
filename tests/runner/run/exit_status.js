// QVSys.exit ends the run at once with its status, after flushing what was printed.
// status: 3
/*===
before===*/
WScript.Echo("before");
QVSys.exit(3);
WScript.Echo("after");
