// Echo adds no line end; no argument prints undefined; the method has no help text.
/*===
ab
undefined 1 undefined===*/
WScript.Echo("a");
WScript.Echo("b\n");
WScript.Echo();
WScript.Echo(" " + WScript.Echo.length + " " + WScript.Echo.help);
